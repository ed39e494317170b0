package com.velmora.jvelweb;

import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.util.LinkedHashMap;
import java.util.Map;

/**
 * What the loader verified in an extraction folder, so that a later start
 * need not read every file through SHA-256 again (hundreds of milliseconds
 * in a JVM that has not compiled the digest yet).
 *
 * <p>The stamp, {@code .verified} in the folder, holds one line per file:
 * the checksum it was verified against, then its device, inode, size,
 * modification and change times. A later start reuses a file without reading
 * it when its lstat still shows those very values, it is a regular file of the
 * user's with the loader's mode, and the stamp's checksum is the index's.
 * Writing the file changes its times (the change time cannot be set back
 * from user space); replacing it changes the inode. Neither can another user
 * do: the folder passed the trust rule, so only the user or root can touch
 * what is in it. So the stamp keeps the guarantee the checksum gave on the
 * first start, and costs one lstat per file; when anything differs the file
 * is read through SHA-256 again, and rewritten if that fails.
 */
final class ExtractionStamp {
    static final String NAME = ".verified";

    /**
     * One verified file: its checksum and what lstat showed just after. A
     * class rather than a record: a record's equals is bootstrapped through
     * invokedynamic, which costs a fresh JVM more than the whole check.
     */
    static final class Entry {
        final String sha256;
        final long device, inode, size, modifiedNs, changedNs;

        Entry(String sha256, long device, long inode, long size, long modifiedNs, long changedNs) {
            this.sha256 = sha256;
            this.device = device;
            this.inode = inode;
            this.size = size;
            this.modifiedNs = modifiedNs;
            this.changedNs = changedNs;
        }

        static Entry of(String sha256, TrustRule.Status s) {
            return new Entry(sha256, s.device(), s.inode(), s.size(), s.modifiedNs(), s.changedNs());
        }

        String line(String name) {
            return sha256 + " " + device + " " + inode + " " + size + " " + modifiedNs + " " + changedNs + " " + name;
        }

        @Override
        public boolean equals(Object other) {
            if (!(other instanceof Entry)) return false;
            Entry o = (Entry) other;
            return sha256.equals(o.sha256) && device == o.device && inode == o.inode && size == o.size
                    && modifiedNs == o.modifiedNs && changedNs == o.changedNs;
        }

        @Override
        public int hashCode() {
            return sha256.hashCode() ^ Long.hashCode(inode) ^ Long.hashCode(changedNs);
        }
    }

    private ExtractionStamp() {}

    /** The stamp in folder by file name; empty when there is none or it is not one of the user's regular files. */
    static Map<String, Entry> read(Path folder, TrustRule rule) {
        Map<String, Entry> entries = new LinkedHashMap<>();
        Path file = folder.resolve(NAME);
        try {
            // Checked before it is opened: a FIFO must not block the start.
            if (!rule.ownFile(TrustRule.status(file), TrustRule.DATA_MODE)) return entries;
            // Nobody else can swap it since: the folder passed the trust rule.
            String text;
            try (InputStream in = new FileInputStream(file.toFile())) {
                text = new String(in.readAllBytes(), StandardCharsets.UTF_8);
            }
            for (String line : text.split("\n")) {
                String[] f = line.split(" ", 7);
                if (f.length != 7) continue;
                entries.put(f[6], new Entry(f[0], Long.parseLong(f[1]), Long.parseLong(f[2]), Long.parseLong(f[3]),
                        Long.parseLong(f[4]), Long.parseLong(f[5])));
            }
        } catch (IOException | RuntimeException e) {
            entries.clear();  // no stamp, or not one we wrote: verify every file
        }
        return entries;
    }

    /** Writes the stamp under a temporary name and renames it into place, as the natives are. */
    static void write(Path folder, Map<String, Entry> entries) throws IOException {
        StringBuilder text = new StringBuilder();
        for (Map.Entry<String, Entry> entry : entries.entrySet()) {
            text.append(entry.getValue().line(entry.getKey())).append('\n');
        }
        Path temporary = Files.createTempFile(folder, ".stamp-", ".tmp");  // 0600
        try {
            Files.write(temporary, text.toString().getBytes(StandardCharsets.UTF_8));
            Files.move(temporary, folder.resolve(NAME), StandardCopyOption.REPLACE_EXISTING,
                    StandardCopyOption.ATOMIC_MOVE);
        } finally {
            Files.deleteIfExists(temporary);
        }
    }

    /** Whether the file is still the one the stamp describes, unchanged. */
    static boolean matches(Entry stamped, String sha256, TrustRule.Status now, int mode, TrustRule rule) {
        return stamped != null && rule.ownFile(now, mode) && stamped.equals(Entry.of(sha256, now));
    }
}
