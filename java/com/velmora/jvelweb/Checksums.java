package com.velmora.jvelweb;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
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

    /** Copies in to out; returns the SHA-256 of what passed, in lower-case hex. */
    static String copy(InputStream in, OutputStream out) throws IOException {
        MessageDigest sha;
        try {
            sha = MessageDigest.getInstance("SHA-256");
        } catch (NoSuchAlgorithmException e) {
            throw new IOException("no SHA-256 in this JVM", e);
        }
        byte[] buffer = new byte[65536];
        for (int n; (n = in.read(buffer)) > 0; ) {
            sha.update(buffer, 0, n);
            if (out != null) out.write(buffer, 0, n);
        }
        return HexFormat.of().formatHex(sha.digest());
    }

    /** Whether the file (not followed if a link) exists and has this SHA-256. */
    static boolean matches(Path file, String sha256) throws IOException {
        if (!Files.isRegularFile(file, LinkOption.NOFOLLOW_LINKS)) return false;
        try (InputStream in = Files.newInputStream(file, LinkOption.NOFOLLOW_LINKS)) {
            return copy(in, null).equals(sha256);
        } catch (NoSuchFileException e) {
            return false;
        }
    }
}
