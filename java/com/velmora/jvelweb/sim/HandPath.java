package com.velmora.jvelweb.sim;

import java.io.IOException;
import java.io.InputStream;
import java.io.UncheckedIOException;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.Arrays;

/**
 * A hand path read from its CSV file, whole and checked, before anything is
 * handed to the device: the times, x and y of its points, in file order.
 * The format is documented on {@link SimulatedDevice#followPath(Path)}.
 */
final class HandPath {
    final int[] times;
    final int[] xs;
    final int[] ys;
    final int count;

    private HandPath(int[] times, int[] xs, int[] ys, int count) {
        this.times = times;
        this.xs = xs;
        this.ys = ys;
        this.count = count;
    }

    /**
     * Reads and checks `csv`.
     *
     * @throws UncheckedIOException when the file is missing, not a regular file, or cannot be read
     * @throws IllegalArgumentException when it is too large, not UTF-8, malformed, has no point, or its
     *     times go backwards
     */
    static HandPath read(Path csv) {
        return parse(csv, decode(csv, readLimited(csv)));
    }

    private static byte[] readLimited(Path csv) {
        BasicFileAttributes attributes;
        try {
            attributes = Files.readAttributes(csv, BasicFileAttributes.class);
        } catch (NoSuchFileException e) {
            throw new UncheckedIOException("hand path " + csv + " does not exist", e);
        } catch (IOException e) {
            throw new UncheckedIOException("hand path " + csv + " cannot be read: " + e.getMessage(), e);
        }
        // Checked before opening, so a FIFO or a device is never opened.
        if (!attributes.isRegularFile()) {
            String message = "hand path " + csv + " is not a regular file";
            throw new UncheckedIOException(message, new IOException(message));
        }
        if (attributes.size() > SimulatedDevice.MAX_PATH_FILE_BYTES) throw tooLarge(csv, attributes.size());
        byte[] bytes;
        try (InputStream in = Files.newInputStream(csv)) {
            // One byte past the limit tells a file that grew since.
            bytes = in.readNBytes((int) SimulatedDevice.MAX_PATH_FILE_BYTES + 1);
        } catch (IOException e) {
            throw new UncheckedIOException("hand path " + csv + " cannot be read: " + e.getMessage(), e);
        }
        if (bytes.length > SimulatedDevice.MAX_PATH_FILE_BYTES) throw tooLarge(csv, bytes.length);
        return bytes;
    }

    private static IllegalArgumentException tooLarge(Path csv, long size) {
        return new IllegalArgumentException("hand path " + csv + " has " + size + " bytes or more; the limit is "
                + SimulatedDevice.MAX_PATH_FILE_BYTES);
    }

    private static String decode(Path csv, byte[] bytes) {
        try {
            return StandardCharsets.UTF_8.newDecoder()
                    .onMalformedInput(CodingErrorAction.REPORT)
                    .onUnmappableCharacter(CodingErrorAction.REPORT)
                    .decode(ByteBuffer.wrap(bytes))
                    .toString();
        } catch (CharacterCodingException e) {
            throw new IllegalArgumentException("hand path " + csv + " is not UTF-8 text", e);
        }
    }

    static HandPath parse(Path csv, String text) {
        // Spreadsheets often start their CSV files with a byte-order mark.
        if (text.startsWith("\uFEFF")) text = text.substring(1);
        String[] lines = text.split("\r?\n", -1);
        int[] times = new int[16];
        int[] xs = new int[16];
        int[] ys = new int[16];
        int count = 0;
        boolean firstContent = true;
        for (int index = 0; index < lines.length; index++) {
            String line = lines[index].strip();
            if (line.isEmpty() || line.startsWith("#")) continue;
            boolean header = firstContent && Character.isLetter(line.charAt(0));
            firstContent = false;
            if (header) continue;
            String[] fields = line.split(",", -1);
            if (fields.length != 3) {
                throw malformed(csv, index, line, "has " + fields.length + " fields, not 3 (time ms, x, y)");
            }
            int time = number(csv, index, line, fields[0], "time");
            int x = number(csv, index, line, fields[1], "x");
            int y = number(csv, index, line, fields[2], "y");
            if (time < 0) throw malformed(csv, index, line, "has a negative time");
            if (count > 0 && time < times[count - 1]) {
                throw malformed(csv, index, line, "goes back in time: " + time + " ms after " + times[count - 1] + " ms");
            }
            if (count == times.length) {
                times = Arrays.copyOf(times, count * 2);
                xs = Arrays.copyOf(xs, count * 2);
                ys = Arrays.copyOf(ys, count * 2);
            }
            times[count] = time;
            xs[count] = x;
            ys[count] = y;
            count++;
        }
        if (count == 0) throw new IllegalArgumentException("hand path " + csv + " has no point");
        return new HandPath(times, xs, ys, count);
    }

    private static int number(Path csv, int index, String line, String field, String what) {
        try {
            return Integer.parseInt(field.strip());
        } catch (NumberFormatException e) {
            throw malformed(csv, index, line, "has " + what + " \"" + field.strip() + "\", not a whole number of "
                    + (what.equals("time") ? "ms" : "pixels") + " in int range");
        }
    }

    private static IllegalArgumentException malformed(Path csv, int index, String line, String problem) {
        String shown = line.length() > 80 ? line.substring(0, 80) + "..." : line;
        return new IllegalArgumentException("hand path " + csv + " line " + (index + 1) + " " + problem + ": " + shown);
    }
}
