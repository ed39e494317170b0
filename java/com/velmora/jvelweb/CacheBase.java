package com.velmora.jvelweb;

import java.io.IOException;
import java.nio.file.AccessDeniedException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.FileSystemException;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.NotDirectoryException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.PosixFilePermissions;

/**
 * The folder the natives are extracted under ({@code <base>} in
 * {@link NativeBundle}), where the choice came from, and the one way every
 * failure to use it is told: a {@link TrustRule.Refusal} whose message names
 * the base and its source, the folder at fault and why, and whose fix says
 * what to change.
 */
final class CacheBase {
    final Path path;
    /** "-Djvelweb.cache.dir", "XDG_CACHE_HOME", "HOME", ...: what the user would change. */
    final String source;

    private CacheBase(Path path, String source) {
        this.path = path;
        this.source = source;
    }

    /** The property, else the platform's per-user cache folder. */
    static CacheBase find(boolean windows) throws IOException {
        String configured = System.getProperty(NativeBundle.CACHE_DIR_PROPERTY, "");
        if (!configured.isEmpty()) {
            CacheBase base = new CacheBase(Paths.get(configured), "-D" + NativeBundle.CACHE_DIR_PROPERTY);
            if (!base.path.isAbsolute()) throw base.refused("it is not an absolute path", "give an absolute path");
            return base;
        }
        String variable = windows ? "LOCALAPPDATA" : "XDG_CACHE_HOME";
        String cache = System.getenv(variable);
        if (cache != null && Paths.get(cache).isAbsolute()) return new CacheBase(Paths.get(cache), variable);
        // HOME first: the COM layer reads its per-user registry there too.
        String home = System.getenv("HOME");
        String source = "HOME";
        if (windows || home == null || !Paths.get(home).isAbsolute()) {
            home = System.getProperty("user.home", "");
            source = "user.home";
        }
        if (home.isEmpty() || home.equals("?")) {
            throw new TrustRule.Refusal(null, "there is no home folder to extract the natives to",
                    "name a folder with -D" + NativeBundle.CACHE_DIR_PROPERTY + "=<folder>");
        }
        return new CacheBase(windows ? Paths.get(home, "AppData", "Local") : Paths.get(home, ".cache"), source);
    }

    /**
     * Creates the base if missing (new folders mode 0700), resolves every link
     * in it, and checks it and every folder above it against the rule; returns
     * the resolved base.
     */
    Path prepare(TrustRule rule) throws IOException {
        Path real;
        try {
            if (rule == null) {
                Files.createDirectories(path);
            } else if (!Files.isDirectory(path)) {
                Files.createDirectories(path, PosixFilePermissions.asFileAttribute(PosixFilePermissions.fromString("rwx------")));
            }
            real = path.toRealPath();
        } catch (IOException e) {
            throw refused("it cannot be created or reached: " + reason(e), "make " + path + " a folder you can write,"
                    + " or name another with -D" + NativeBundle.CACHE_DIR_PROPERTY + "=<folder>");
        }
        if (rule == null) return real;
        try {
            rule.checkAncestors(real);
        } catch (TrustRule.Refusal e) {
            throw refused(e.getMessage(), e.fix);
        } catch (IOException e) {
            throw refused("it cannot be examined: " + reason(e), "name another folder with -D"
                    + NativeBundle.CACHE_DIR_PROPERTY + "=<folder>");
        }
        return real;
    }

    /** rule.privateFolder, with a failure told as the base's. */
    Path privateFolder(TrustRule rule, Path parent, String name) throws IOException {
        try {
            return rule.privateFolder(parent, name);
        } catch (TrustRule.Refusal e) {
            throw refused(e.getMessage(), e.fix);
        } catch (IOException e) {
            throw refused(parent.resolve(name) + " cannot be made: " + reason(e), "make " + parent + " writable for"
                    + " you, or name another folder with -D" + NativeBundle.CACHE_DIR_PROPERTY + "=<folder>");
        }
    }

    /** A file below the base that cannot be written: a full disk, a read-only file system, ... */
    TrustRule.Refusal unwritable(Path file, IOException e) {
        return refused(file + " cannot be written: " + reason(e), "make room in " + path + " or make it writable,"
                + " or name another folder with -D" + NativeBundle.CACHE_DIR_PROPERTY + "=<folder>");
    }

    private TrustRule.Refusal refused(String reason, String fix) {
        return new TrustRule.Refusal(path, "the cache folder " + path + " (from " + source + ") cannot be used: "
                + reason, fix);
    }

    /** The system's words for an I/O failure, which Java keeps apart from the path. */
    static String reason(IOException e) {
        if (e instanceof FileSystemException && ((FileSystemException) e).getReason() != null) {
            return ((FileSystemException) e).getReason();
        }
        if (e instanceof AccessDeniedException) return "permission denied";
        if (e instanceof NoSuchFileException) return "no such file or folder: " + e.getMessage();
        if (e instanceof NotDirectoryException) return "not a folder: " + e.getMessage();
        if (e instanceof FileAlreadyExistsException) return "a file is in the way: " + e.getMessage();
        return e.getMessage();
    }
}
