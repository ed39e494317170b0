package com.velmora.jvelweb;

import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.FilterInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.net.URISyntaxException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.nio.file.attribute.PosixFilePermissions;
import java.security.CodeSource;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.jar.JarFile;
import java.util.zip.ZipEntry;

/**
 * The natives this jar carries for one platform, under
 * {@code com/velmora/jvelweb/native/<platform>/}, listed in that folder's
 * {@code files} index as {@code <sha-256> <relative path>} lines; the folder
 * {@code native/platforms} names every platform the jar carries.
 *
 * <p>They are extracted to {@code <base>/jvelweb/<version>/<platform>-<identity>/}.
 * {@code <base>} is the folder named by {@code -Djvelweb.cache.dir}, else
 * {@code $XDG_CACHE_HOME}, else {@code $HOME/.cache} (the home the COM layer's
 * per-user registry uses), else {@code user.home/.cache}; on Windows
 * {@code %LOCALAPPDATA%}. {@code <identity>} is a digest of the index, which holds
 * the SHA-256 of every file, so two builds never share a folder, even of one
 * version, and a folder only ever receives the files its name stands for: a
 * JVM that has a folder's libraries mapped never sees them replaced by
 * another build's.
 *
 * <p>Where files have POSIX owners, the base and every folder above it pass
 * the {@link TrustRule}, each folder from {@code jvelweb} down is the user's
 * own with mode 0700, and files are written 0600 (libraries 0700) under a
 * temporary name, checked against the index, and renamed into place (never
 * written over: a JVM that has the old file mapped keeps it). The
 * {@link ExtractionStamp} then lets a later start reuse every file without
 * reading it again. The COM layer finds the bundled simulated plug-in through
 * the registration folder extracted beside it.
 */
final class NativeBundle {
    static final String CACHE_DIR_PROPERTY = "jvelweb.cache.dir";
    private static final String ROOT = "native/";

    private final String platform;
    /** Relative path to SHA-256 (lower-case hex), in index order. */
    private final Map<String, String> files;
    private final String identity;

    private NativeBundle(String platform, Map<String, String> files, String identity) {
        this.platform = platform;
        this.files = files;
        this.identity = identity;
    }

    /** The jar has no natives for this platform (as opposed to natives it cannot extract). */
    static final class NoNatives extends IOException {
        NoNatives(String message) {
            super(message);
        }
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
            throw new NoNatives("this jar carries no natives for " + platform + " (it carries: " + carried + ")");
        }
        Map<String, String> files = new LinkedHashMap<>();
        for (String line : new String(index, StandardCharsets.UTF_8).split("\n")) {
            if (line.isBlank()) continue;
            String[] fields = line.trim().split(" ", 2);
            if (fields.length != 2 || !sha256(fields[0]) || !safeRelative(fields[1])) {
                throw new IOException("the jar's index of " + platform + " natives has a bad line: " + line);
            }
            files.put(fields[1], fields[0]);
        }
        return new NativeBundle(platform, files, identity(index));
    }

    /**
     * 64 bits of FNV-1a over the index, in hex. The index already holds every
     * file's SHA-256, so this only has to tell indexes apart; MessageDigest
     * would cost a fresh JVM over 100 ms to set up its providers, on every
     * start. A folder's files are still checked against the index's own
     * checksums (ExtractionStamp keeps the one each was verified against).
     */
    static String identity(byte[] index) {
        long hash = 0xcbf29ce484222325L;
        for (byte b : index) hash = (hash ^ (b & 0xff)) * 0x100000001b3L;
        String hex = Long.toHexString(hash);  // not String.format: a fresh JVM pays for its parser
        return "0".repeat(16 - hex.length()) + hex;
    }

    String identity() {
        return identity;
    }

    /** Extracts (or reuses) every file; returns the folder that holds them, with no link in its path. */
    Path extract(String version) throws IOException {
        if (!files.containsKey(System.mapLibraryName(JVelWebLoader.LIBRARY))) {
            throw new IOException("the jar's " + platform + " natives lack " + System.mapLibraryName(JVelWebLoader.LIBRARY));
        }
        if (!safeName(version)) throw new IOException("unusable version for a folder name '" + version + "'");
        TrustRule rule = TrustRule.forThisProcess();
        CacheBase base = CacheBase.find(platform.startsWith("windows"));
        Path folder = base.prepare(rule);
        for (String part : new String[] {"jvelweb", version, platform + "-" + identity}) {
            folder = rule == null ? Files.createDirectories(folder.resolve(part)) : base.privateFolder(rule, folder, part);
        }
        JVelWebLoader.debug("   folder " + folder + " (from " + base.source + (rule == null ? ")"
                : "; it and the folders above it pass the trust rule)"));
        Map<String, ExtractionStamp.Entry> stamp = rule == null ? Map.of() : ExtractionStamp.read(folder, rule);
        Map<String, ExtractionStamp.Entry> verified = new LinkedHashMap<>();
        for (Map.Entry<String, String> file : files.entrySet()) {
            String name = file.getKey();
            String sha256 = file.getValue();
            Path target = folder;
            String[] parts = name.split("/");
            for (int i = 0; i < parts.length - 1; i++) {
                target = rule == null ? Files.createDirectories(target.resolve(parts[i]))
                        : base.privateFolder(rule, target, parts[i]);
            }
            target = target.resolve(parts[parts.length - 1]);
            int mode = name.contains("/") ? TrustRule.DATA_MODE : TrustRule.LIBRARY_MODE;
            TrustRule.Status before = rule == null ? null : statusOrNull(target);
            if (rule != null && ExtractionStamp.matches(stamp.get(name), sha256, before, mode, rule)) {
                JVelWebLoader.debug("   reused " + name + " (unchanged since it was verified)");
                verified.put(name, stamp.get(name));
                continue;
            }
            if ((rule == null || (before != null && rule.ownFile(before, mode))) && Checksums.matches(target, sha256)) {
                JVelWebLoader.debug("   reused " + name + " (checksum matches)");
            } else {
                byte[] content = resource(ROOT + platform + "/" + name);
                if (content == null) throw new IOException("the jar lists " + name + " for " + platform + " but lacks it");
                if (!Checksums.of(content).equals(sha256)) {
                    throw new IOException("the jar's " + name + " for " + platform + " does not match its checksum");
                }
                try {
                    write(target, content, mode, rule != null);
                } catch (IOException e) {
                    throw base.unwritable(target, e);
                }
                JVelWebLoader.debug("   extracted " + name);
                before = rule == null ? null : TrustRule.status(target);
            }
            if (before != null) verified.put(name, ExtractionStamp.Entry.of(sha256, before));
        }
        if (rule != null && !verified.equals(stamp)) {
            try {
                ExtractionStamp.write(folder, verified);
            } catch (IOException e) {
                // The files are verified all the same; the next start reads them through SHA-256 again.
                JVelWebLoader.debug("   no stamp written: " + CacheBase.reason(e));
            }
        }
        return folder;
    }

    private static TrustRule.Status statusOrNull(Path file) throws IOException {
        try {
            return TrustRule.status(file);
        } catch (NoSuchFileException e) {
            return null;
        }
    }

    /** Writes the checked content under a fresh private name, then renames it into place. */
    private static void write(Path target, byte[] content, int mode, boolean posix) throws IOException {
        Path temporary = Files.createTempFile(target.getParent(), ".extract-", ".tmp");  // 0600 where POSIX
        try {
            Files.write(temporary, content);
            if (posix && mode != TrustRule.DATA_MODE) Files.setPosixFilePermissions(temporary, PosixFilePermissions.fromString("rwx------"));
            Files.move(temporary, target, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
        } finally {
            Files.deleteIfExists(temporary);
        }
    }

    private static byte[] resource(String name) throws IOException {
        try (InputStream in = open(name)) {
            if (in == null) return null;
            ByteArrayOutputStream bytes = new ByteArrayOutputStream();
            in.transferTo(bytes);
            return bytes.toByteArray();
        }
    }

    /**
     * One of our entries, or null. Straight from the jar the classes came from
     * when there is one: a fresh JVM has the zip classes loaded already, but
     * not the URL handlers getResourceAsStream goes through, which cost it
     * more than the rest of a warm start. Elsewhere (classes in a folder) as a
     * resource.
     */
    private static InputStream open(String name) throws IOException {
        File jar = ownJar();
        if (jar == null) return NativeBundle.class.getResourceAsStream(name);
        JarFile file = new JarFile(jar, false);
        ZipEntry entry = file.getEntry("com/velmora/jvelweb/" + name);
        if (entry == null) {
            file.close();
            return null;
        }
        return new FilterInputStream(file.getInputStream(entry)) {
            @Override
            public void close() throws IOException {
                try {
                    super.close();
                } finally {
                    file.close();
                }
            }
        };
    }

    private static File ownJar() {
        try {
            CodeSource code = NativeBundle.class.getProtectionDomain().getCodeSource();
            File file = code == null || code.getLocation() == null ? null : new File(code.getLocation().toURI());
            return file != null && file.isFile() ? file : null;
        } catch (URISyntaxException | IllegalArgumentException | SecurityException e) {
            return null;
        }
    }

    private static boolean sha256(String text) {
        if (text.length() != 64) return false;
        for (char c : text.toCharArray()) {
            if ((c < '0' || c > '9') && (c < 'a' || c > 'f')) return false;
        }
        return true;
    }

    /** A single path element with no separators, no leading dot and nothing the shell or Windows would mind. */
    static boolean safeName(String name) {
        if (name.isEmpty() || name.charAt(0) == '.') return false;
        for (char c : name.toCharArray()) {
            boolean plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
            if (!plain && "._{}+-".indexOf(c) < 0) return false;
        }
        return true;
    }

    private static boolean safeRelative(String path) {
        for (String part : path.split("/", -1)) {
            if (!safeName(part)) return false;
        }
        return true;
    }
}
