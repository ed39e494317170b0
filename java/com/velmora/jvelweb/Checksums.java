package com.velmora.jvelweb;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.HexFormat;

/** SHA-256 of what the loader extracts; used only when a file is written or no stamp vouches for it. */
final class Checksums {
    private Checksums() {}

    static String of(byte[] content) throws IOException {
        MessageDigest sha = sha256();
        sha.update(content);
        return HexFormat.of().formatHex(sha.digest());
    }

    /** Whether the file (not followed if a link) exists and has this SHA-256. */
    static boolean matches(Path file, String sha256) throws IOException {
        if (!Files.isRegularFile(file, LinkOption.NOFOLLOW_LINKS)) return false;
        try (InputStream in = Files.newInputStream(file, LinkOption.NOFOLLOW_LINKS)) {
            MessageDigest sha = sha256();
            byte[] buffer = new byte[65536];
            for (int n; (n = in.read(buffer)) > 0; ) sha.update(buffer, 0, n);
            return HexFormat.of().formatHex(sha.digest()).equals(sha256);
        } catch (NoSuchFileException e) {
            return false;
        }
    }

    private static MessageDigest sha256() throws IOException {
        try {
            return MessageDigest.getInstance("SHA-256");
        } catch (NoSuchAlgorithmException e) {
            throw new IOException("no SHA-256 in this JVM", e);
        }
    }
}
