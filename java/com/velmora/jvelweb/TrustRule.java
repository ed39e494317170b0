package com.velmora.jvelweb;

import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.FileSystems;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.FileTime;
import java.nio.file.attribute.PosixFilePermissions;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;

/**
 * The COM layer's trust rule, for the folders the loader extracts to and the
 * files it loads from them: from {@code /} down, each folder belongs to root
 * or to the user and cannot be written by group or others, except that a
 * sticky folder of root or the user (like {@code /tmp}) is accepted above the
 * files' own folder; what is loaded is a regular file of the user's that
 * others cannot write. Then no one else can rename, replace or add anything
 * along the path, so the path {@code System.load} resolves later names the
 * file that was checked: no other user can win a race between the check and
 * the load. The folders the loader makes itself must be the user's own and
 * are kept at mode 0700.
 *
 * <p>Only where the file system has POSIX owners and modes ({@link #forThisProcess}
 * gives null elsewhere: on Windows the per-user folder's ACL guards it).
 */
final class TrustRule {
    static final int DIRECTORY_MODE = 0700;
    static final int LIBRARY_MODE = 0700;
    static final int DATA_MODE = 0600;
    private static final int TYPE = 0170000, DIRECTORY = 0040000, REGULAR = 0100000;
    private static final int STICKY = 01000, GROUP_OR_OTHERS_WRITE = 022;
    private static final String OWN_FOLDER = "name a folder of your own with -D" + NativeBundle.CACHE_DIR_PROPERTY
            + "=<folder> (one that only root and you can write, and the folders above it too)";

    /** A folder or file the rule refuses: which, and why, in words a user can act on. */
    static final class Refusal extends IOException {
        final Path path;
        final String fix;

        Refusal(Path path, String reason, String fix) {
            super(reason);
            this.path = path;
            this.fix = fix;
        }
    }

    /** lstat: the fields the rule and the extraction stamp need, read without following a link. */
    record Status(int mode, int uid, long device, long inode, long size, long modifiedNs, long changedNs) {
        boolean directory() { return (mode & TYPE) == DIRECTORY; }
        boolean regular() { return (mode & TYPE) == REGULAR; }
        int permissions() { return mode & 07777; }
    }

    private final int uid;

    private TrustRule(int uid) {
        this.uid = uid;
    }

    /** The rule for this process's effective user, or null where files have no POSIX owners. */
    static TrustRule forThisProcess() throws IOException {
        if (!FileSystems.getDefault().supportedFileAttributeViews().contains("unix")) return null;
        return new TrustRule(effectiveUid());
    }

    int uid() {
        return uid;
    }

    /**
     * Linux tells it in /proc/self/status; elsewhere it is the owner of a file
     * this process creates. Read through FileInputStream, which a fresh JVM
     * has already loaded, rather than the channels behind Files.
     */
    private static int effectiveUid() throws IOException {
        try (InputStream in = new FileInputStream("/proc/self/status")) {
            for (String line : new String(in.readAllBytes(), StandardCharsets.ISO_8859_1).split("\n")) {
                if (line.startsWith("Uid:")) return effectiveOf(line.substring(4));
            }
        } catch (IOException | RuntimeException e) {
            // not Linux: ask the file system
        }
        Path probe = Files.createTempFile(".jvelweb-owner-", ".tmp");
        try {
            return status(probe).uid;
        } finally {
            Files.delete(probe);
        }
    }

    /** The second of "real effective saved filesystem", without a regular expression (slow to start). */
    private static int effectiveOf(String ids) {
        String[] fields = ids.trim().replace('\t', ' ').split(" ");
        int seen = 0;
        for (String field : fields) {
            if (!field.isEmpty() && seen++ == 1) return Integer.parseInt(field);
        }
        throw new IllegalArgumentException("no effective uid in " + ids);
    }

    static Status status(Path path) throws IOException {
        Map<String, Object> a = Files.readAttributes(path, "unix:mode,uid,dev,ino,size,lastModifiedTime,ctime",
                LinkOption.NOFOLLOW_LINKS);
        return new Status((Integer) a.get("mode"), (Integer) a.get("uid"), (Long) a.get("dev"), (Long) a.get("ino"),
                (Long) a.get("size"), nanoseconds(a.get("lastModifiedTime")), nanoseconds(a.get("ctime")));
    }

    private static long nanoseconds(Object time) {
        return ((FileTime) time).to(TimeUnit.NANOSECONDS);
    }

    /**
     * Checks every folder from {@code /} down to {@code folder} (absolute, no
     * link in it), all of them above the files' own folder, so sticky ones are
     * accepted. Throws a Refusal that names the first folder that fails.
     */
    void checkAncestors(Path folder) throws IOException {
        Path path = folder.getRoot();
        List<Path> parts = new ArrayList<>();
        for (Path name : folder) parts.add(name);
        for (int i = 0; ; i++) {
            Status s = status(path);
            if (!s.directory()) throw new Refusal(path, path + " is not a folder", OWN_FOLDER);
            if (!trustedOwner(s.uid)) {
                throw new Refusal(path, path + " belongs to " + ownerName(path, s.uid) + ", who could replace the"
                        + " natives under it", OWN_FOLDER);
            }
            if ((s.mode & GROUP_OR_OTHERS_WRITE) != 0 && (s.mode & STICKY) == 0) {
                throw new Refusal(path, path + " can be written by other users (mode " + octal(s.permissions())
                        + "), who could replace the natives under it", (s.uid == uid ? "run chmod go-w " + path
                        + ", or " : "") + OWN_FOLDER);
            }
            if (i == parts.size()) return;
            path = path.resolve(parts.get(i));
        }
    }

    /**
     * The folder {@code parent/name}, created with mode 0700 or accepted when
     * it is a real folder of the user's (its mode then tightened to 0700).
     * The parent must already have passed the rule.
     */
    Path privateFolder(Path parent, String name) throws IOException {
        Path folder = parent.resolve(name);
        Status s;
        try {
            s = status(folder);
        } catch (NoSuchFileException absent) {
            try {
                Files.createDirectory(folder, PosixFilePermissions.asFileAttribute(PosixFilePermissions.fromString("rwx------")));
            } catch (FileAlreadyExistsException e) {
                // made meanwhile by another JVM, or by someone else: judged below, without following a link
            }
            s = status(folder);
        }
        String remove = "remove " + folder + " (the loader makes it afresh), or name another folder with -D"
                + NativeBundle.CACHE_DIR_PROPERTY + "=<folder>";
        if (!s.directory()) throw new Refusal(folder, folder + " is not a folder (a link or a file)", remove);
        if (s.uid != uid) {
            throw new Refusal(folder, folder + " belongs to " + ownerName(folder, s.uid) + ", not to "
                    + System.getProperty("user.name") + " (uid " + uid + ")", remove);
        }
        if (s.permissions() != DIRECTORY_MODE) Files.setPosixFilePermissions(folder, PosixFilePermissions.fromString("rwx------"));
        return folder;
    }

    /** Whether the file is one of the user's regular files with exactly the mode the loader gives it. */
    boolean ownFile(Status s, int mode) {
        return s.regular() && s.uid == uid && s.permissions() == mode;
    }

    private boolean trustedOwner(int owner) {
        return owner == 0 || owner == uid;
    }

    /** "nobody (uid 65534)": the name when the system knows one. */
    private static String ownerName(Path path, int owner) {
        try {
            if (path != null && (Integer) Files.getAttribute(path, "unix:uid", LinkOption.NOFOLLOW_LINKS) == owner) {
                return Files.getOwner(path, LinkOption.NOFOLLOW_LINKS).getName() + " (uid " + owner + ")";
            }
        } catch (IOException | RuntimeException e) {
            // the number alone
        }
        return "uid " + owner;
    }

    static String octal(int mode) {
        return String.format("%04o", mode);
    }
}
