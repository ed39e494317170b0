package com.velmora.jvelweb;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.FileSystems;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.nio.file.attribute.PosixFileAttributeView;
import java.nio.file.attribute.PosixFileAttributes;
import java.nio.file.attribute.PosixFilePermission;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;
import java.util.function.Consumer;

/**
 * The natives this jar carries for one platform, under
 * {@code com/velmora/jvelweb/native/<platform>/}, listed in that folder's
 * {@code files} index as {@code <sha-256> <relative path>} lines; the folder
 * {@code native/platforms} names every platform the jar carries.
 *
 * <p>They are extracted to {@code <cache>/jvelweb/<version>/<platform>/}, where
 * {@code <cache>} is {@code $XDG_CACHE_HOME}, or {@code $HOME/.cache} (the home the COM
 * layer's per-user registry uses), or {@code user.home/.cache}; on Windows
 * {@code %LOCALAPPDATA%}. Where the file system has POSIX permissions, each folder from
 * {@code jvelweb} down is created with mode 0700 and must belong to the current
 * user, so no other user can put a library there; files are written 0600
 * (libraries 0700) under a temporary name and renamed into place. A file whose
 * SHA-256 already matches the index, with the same owner and mode, is reused,
 * so a second JVM writes nothing. The COM layer finds the bundled simulated
 * plug-in through the registration folder extracted beside it.
 */
final class NativeBundle {
    private static final String ROOT = "native/";
    private static final Set<PosixFilePermission> DIRECTORY_MODE = PosixFilePermissions.fromString("rwx------");
    private static final Set<PosixFilePermission> LIBRARY_MODE = PosixFilePermissions.fromString("rwx------");
    private static final Set<PosixFilePermission> DATA_MODE = PosixFilePermissions.fromString("rw-------");

    private final String platform;
    /** Relative path to SHA-256 (lower-case hex), in index order. */
    private final Map<String, String> files;

    private NativeBundle(String platform, Map<String, String> files) {
        this.platform = platform;
        this.files = files;
    }

    /** The running platform as the jar names it: linux-x86_64, windows-x86, windows-x86_64, ... */
    static String platform() {
        String os = System.getProperty("os.name", "").toLowerCase(Locale.ROOT);
        String arch = System.getProperty("os.arch", "").toLowerCase(Locale.ROOT);
        if (os.startsWith("windows")) os = "windows";
        else if (os.startsWith("mac") || os.startsWith("darwin")) os = "macos";
        else os = os.replace(' ', '_');
        if (arch.equals("amd64") || arch.equals("x86_64")) arch = "x86_64";
        else if (arch.equals("x86") || arch.matches("i[3-6]86")) arch = "x86";
        else if (arch.equals("arm64")) arch = "aarch64";
        return os + "-" + arch;
    }

    /** The natives for the running platform; an IOException says what the jar carries instead. */
    static NativeBundle forThisPlatform() throws IOException {
        String platform = platform();
        byte[] index = resource(ROOT + platform + "/files");
        if (index == null) {
            byte[] platforms = resource(ROOT + "platforms");
            String carried = platforms == null ? "none" : new String(platforms, StandardCharsets.UTF_8).trim().replace('\n', ' ');
            throw new IOException("this jar carries no natives for " + platform + " (it carries: " + carried + ")");
        }
        Map<String, String> files = new LinkedHashMap<>();
        for (String line : new String(index, StandardCharsets.UTF_8).split("\n")) {
            if (line.isBlank()) continue;
            String[] fields = line.trim().split(" ", 2);
            if (fields.length != 2 || !fields[0].matches("[0-9a-f]{64}") || !safeRelative(fields[1])) {
                throw new IOException("the jar's index of " + platform + " natives has a bad line: " + line);
            }
            files.put(fields[1], fields[0]);
        }
        return new NativeBundle(platform, files);
    }

    /** Libraries to load by absolute path before jvelweb itself: the COM layer, where the platform has it. */
    List<String> companions() {
        List<String> companions = new ArrayList<>();
        String layer = System.mapLibraryName("jvelcom");
        if (files.containsKey(layer)) companions.add(layer);
        return companions;
    }

    /** Extracts (or reuses) every file; returns the folder that holds them. */
    Path extract(String version, Consumer<String> debug) throws IOException {
        if (!files.containsKey(System.mapLibraryName(JVelWebLoader.LIBRARY))) {
            throw new IOException("the jar's " + platform + " natives lack " + System.mapLibraryName(JVelWebLoader.LIBRARY));
        }
        Path base = cacheRoot();
        boolean posix = FileSystems.getDefault().supportedFileAttributeViews().contains("posix");
        Files.createDirectories(base);
        UserPrincipal me = posix ? currentUser(base) : null;
        Path directory = base;
        for (String part : new String[] {"jvelweb", version, platform}) {
            if (!safeName(part)) throw new IOException("unusable folder name '" + part + "'");
            directory = privateDirectory(directory.resolve(part), me);
        }
        debug.accept("   folder " + directory + (posix ? " (mode 0700, owner " + me.getName() + ")" : ""));
        for (Map.Entry<String, String> file : files.entrySet()) {
            Path target = directory;
            String[] parts = file.getKey().split("/");
            for (int i = 0; i < parts.length - 1; i++) target = privateDirectory(target.resolve(parts[i]), me);
            target = target.resolve(parts[parts.length - 1]);
            boolean library = !file.getKey().contains("/");
            if (intact(target, file.getValue(), me, library)) {
                debug.accept("   reused " + file.getKey() + " (checksum matches)");
            } else {
                write(target, file.getKey(), file.getValue(), library);
                debug.accept("   extracted " + file.getKey());
            }
        }
        return directory;
    }

    private static Path cacheRoot() throws IOException {
        boolean windows = platform().startsWith("windows");
        String configured = windows ? System.getenv("LOCALAPPDATA") : System.getenv("XDG_CACHE_HOME");
        if (configured != null && Paths.get(configured).isAbsolute()) return Paths.get(configured);
        // HOME first: the COM layer reads its per-user registry there too.
        String home = System.getenv("HOME");
        if (windows || home == null || !Paths.get(home).isAbsolute()) home = System.getProperty("user.home", "");
        if (home.isEmpty() || home.equals("?")) throw new IOException("no home folder to extract the natives to");
        return windows ? Paths.get(home, "AppData", "Local") : Paths.get(home, ".cache");
    }

    /** The user this process runs as: by name, or as the owner of a file it creates when the name is unknown. */
    private static UserPrincipal currentUser(Path base) throws IOException {
        try {
            return FileSystems.getDefault().getUserPrincipalLookupService()
                    .lookupPrincipalByName(System.getProperty("user.name"));
        } catch (IOException e) {
            Path probe = Files.createTempFile(base, ".jvelweb-owner-", ".tmp");
            try {
                return Files.getOwner(probe, LinkOption.NOFOLLOW_LINKS);
            } finally {
                Files.delete(probe);
            }
        }
    }

    /** Creates the folder private, or accepts an existing one that is a real folder of ours (made private). */
    private static Path privateDirectory(Path directory, UserPrincipal me) throws IOException {
        if (me == null) {
            Files.createDirectories(directory);
            return directory;
        }
        try {
            Files.createDirectory(directory, PosixFilePermissions.asFileAttribute(DIRECTORY_MODE));
        } catch (FileAlreadyExistsException e) {
            // checked below, without following a link
        }
        PosixFileAttributes attributes = Files.readAttributes(directory, PosixFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
        if (!attributes.isDirectory()) throw new IOException(directory + " is not a folder (a link or a file); remove it");
        if (!attributes.owner().equals(me)) {
            throw new IOException(directory + " belongs to " + attributes.owner().getName() + ", not to " + me.getName()
                    + "; remove it");
        }
        if (!attributes.permissions().equals(DIRECTORY_MODE)) Files.setPosixFilePermissions(directory, DIRECTORY_MODE);
        return directory;
    }

    private static boolean intact(Path file, String sha256, UserPrincipal me, boolean library) throws IOException {
        if (!Files.isRegularFile(file, LinkOption.NOFOLLOW_LINKS)) return false;
        if (me != null) {
            PosixFileAttributes attributes = Files.readAttributes(file, PosixFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
            if (!attributes.owner().equals(me) || !attributes.permissions().equals(library ? LIBRARY_MODE : DATA_MODE)) {
                return false;
            }
        }
        try (InputStream in = Files.newInputStream(file, LinkOption.NOFOLLOW_LINKS)) {
            return hex(digest(in, null)).equals(sha256);
        }
    }

    /** Writes the resource under a fresh private name, checks its digest, then renames it into place. */
    private void write(Path target, String name, String sha256, boolean library) throws IOException {
        Path temporary = Files.createTempFile(target.getParent(), ".extract-", ".tmp");  // 0600 where POSIX
        try {
            String digest;
            try (InputStream in = NativeBundle.class.getResourceAsStream(ROOT + platform + "/" + name);
                 OutputStream out = Files.newOutputStream(temporary)) {
                if (in == null) throw new IOException("the jar lists " + name + " for " + platform + " but lacks it");
                digest = hex(digest(in, out));
            }
            if (!digest.equals(sha256)) throw new IOException("the jar's " + name + " for " + platform + " does not match its checksum");
            if (library && Files.getFileAttributeView(temporary, PosixFileAttributeView.class) != null) {
                Files.setPosixFilePermissions(temporary, LIBRARY_MODE);
            }
            Files.move(temporary, target, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
        } finally {
            Files.deleteIfExists(temporary);
        }
    }

    private static byte[] digest(InputStream in, OutputStream copy) throws IOException {
        MessageDigest sha;
        try {
            sha = MessageDigest.getInstance("SHA-256");
        } catch (NoSuchAlgorithmException e) {
            throw new IOException("no SHA-256 in this JVM", e);
        }
        byte[] buffer = new byte[65536];
        for (int n; (n = in.read(buffer)) > 0; ) {
            sha.update(buffer, 0, n);
            if (copy != null) copy.write(buffer, 0, n);
        }
        return sha.digest();
    }

    private static String hex(byte[] bytes) {
        StringBuilder text = new StringBuilder();
        for (byte b : bytes) text.append(String.format("%02x", b));
        return text.toString();
    }

    private static byte[] resource(String name) throws IOException {
        try (InputStream in = NativeBundle.class.getResourceAsStream(name)) {
            if (in == null) return null;
            ByteArrayOutputStream bytes = new ByteArrayOutputStream();
            in.transferTo(bytes);
            return bytes.toByteArray();
        }
    }

    /** A single path element with no separators, no leading dot and nothing the shell or Windows would mind. */
    private static boolean safeName(String name) {
        return name.matches("[A-Za-z0-9_{}+-][A-Za-z0-9._{}+-]*");
    }

    private static boolean safeRelative(String path) {
        for (String part : path.split("/", -1)) {
            if (!safeName(part)) return false;
        }
        return true;
    }
}
