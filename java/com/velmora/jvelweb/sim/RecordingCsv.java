package com.velmora.jvelweb.sim;

import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * A recording of {@link SimulatedDevice#record} read back: the header
 * {@code t_ms,hand_x,hand_y,handle_x,handle_y,force_x,force_y,effects}, then
 * rows of seven integers followed, for each effect playing, by its name
 * (quoted as RFC 4180 quotes) and its share x and y.
 */
final class RecordingCsv {
    static final String HEADER = "t_ms,hand_x,hand_y,handle_x,handle_y,force_x,force_y,effects";

    final List<Long> times = new ArrayList<>();
    final List<int[]> totals = new ArrayList<>();
    /** Each effect's share per row, {x, y}; 0 in rows where it was not playing. */
    final Map<String, List<int[]>> effects = new LinkedHashMap<>();

    /** Parses the text; a malformed line throws IllegalArgumentException naming it. */
    static RecordingCsv parse(String text) {
        String[] lines = text.split("\r?\n", -1);
        if (!lines[0].replace("\uFEFF", "").equals(HEADER))
            throw new IllegalArgumentException("line 1 is not the recording header " + HEADER);
        RecordingCsv recording = new RecordingCsv();
        for (int n = 1; n < lines.length; n++) {
            if (lines[n].isEmpty()) continue;
            List<String> fields = fields(lines[n], n + 1);
            if (fields.size() < 7 || (fields.size() - 7) % 3 != 0)
                throw new IllegalArgumentException("line " + (n + 1) + ": " + fields.size()
                        + " fields, not seven and three for each effect");
            int row = recording.times.size();
            recording.times.add((long) integer(fields.get(0), n + 1));
            recording.totals.add(new int[] {integer(fields.get(5), n + 1), integer(fields.get(6), n + 1)});
            for (int k = 7; k < fields.size(); k += 3) {
                List<int[]> shares = recording.effects.computeIfAbsent(fields.get(k), name -> new ArrayList<>());
                while (shares.size() < row) shares.add(new int[2]);
                shares.add(new int[] {integer(fields.get(k + 1), n + 1), integer(fields.get(k + 2), n + 1)});
            }
            for (List<int[]> shares : recording.effects.values()) if (shares.size() == row) shares.add(new int[2]);
        }
        return recording;
    }

    private static List<String> fields(String line, int number) {
        List<String> out = new ArrayList<>();
        int i = 0;
        while (true) {
            StringBuilder field = new StringBuilder();
            if (i < line.length() && line.charAt(i) == '"') {
                i++;
                while (true) {
                    if (i >= line.length()) throw new IllegalArgumentException("line " + number + ": an unterminated quote");
                    char c = line.charAt(i++);
                    if (c != '"') field.append(c);
                    else if (i < line.length() && line.charAt(i) == '"') { field.append('"'); i++; }
                    else break;
                }
            } else {
                while (i < line.length() && line.charAt(i) != ',') field.append(line.charAt(i++));
            }
            out.add(field.toString());
            if (i >= line.length()) return out;
            if (line.charAt(i) != ',') throw new IllegalArgumentException("line " + number + ": text after a quoted field");
            i++;
        }
    }

    private static int integer(String text, int number) {
        try {
            return Integer.parseInt(text);
        } catch (NumberFormatException e) {
            throw new IllegalArgumentException("line " + number + ": '" + text + "' is not an integer");
        }
    }
}
