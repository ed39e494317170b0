package com.velmora.jvelweb.sim;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The picture command: a recording's plot, its refusals, and a spring's field pointing to its centre. */
class ForcePicturesTest {
    private static final String HEADER = RecordingCsv.HEADER + "\n";

    @Test
    void aRecordingPlotsItsTotalAndEachEffectByName() {
        String svg = ForcePictures.plot(HEADER
                + "0,1,2,1,2,10000,-10000,\"a,b\",10000,0,\"q\"\"x\",0,-10000\n"
                + "5,1,2,1,2,0,0\n"
                + "10,1,2,1,2,0,5000,\"q\"\"x\",0,5000\n");
        assertTrue(svg.contains("<title>a,b</title>") && svg.contains("<title>q&quot;x</title>"), svg);
        // The total: x from the full push (the panel's top, y 30) to nothing (its middle, 140), y in the lower panel.
        assertTrue(svg.contains("points=\"60.0,30.0 510.0,140.0 960.0,140.0 \"><title>total"), svg);
        assertTrue(svg.contains("points=\"60.0,520.0 510.0,410.0 960.0,355.0 \"><title>total"), svg);
        // An effect not playing in a row counts 0 there.
        assertTrue(svg.contains("points=\"60.0,30.0 510.0,140.0 960.0,140.0 \"><title>a,b"), svg);
    }

    @Test
    void aMalformedRecordingIsRefusedNamingItsLine() {
        String[][] rows = {
            {"t,x\n", "line 1 is not the recording header"},
            {HEADER + "1,2,3\n", "line 2: 3 fields"},
            {HEADER + "0,0,0,0,0,0,0\n1,0,0,0,0,0,0,e,1\n", "line 3: 9 fields"},
            {HEADER + "0,0,0,0,0,x,0\n", "line 2: 'x' is not an integer"},
            {HEADER + "0,0,0,0,0,0,0,\"open,1,2\n", "line 2: an unterminated quote"},
            {HEADER + "0,0,0,0,0,0,0,\"e\"x,1,2\n", "line 2: text after a quoted field"},
        };
        for (String[] row : rows) {
            IllegalArgumentException e = assertThrows(IllegalArgumentException.class, () -> ForcePictures.plot(row[0]));
            assertTrue(e.getMessage().startsWith(row[1]), row[1] + " <- " + e.getMessage());
        }
    }

    @Test
    void aSpringsFieldPointsToItsCentreEverywhere(@TempDir Path dir) throws Exception {
        Path resource = dir.resolve("spring.vel");
        Files.writeString(resource, "effect pull Spring 0\nset pull Center 960 540\nset pull Coefficient 5000 5000\n"
                + "set pull SaturationX 10000 10000\nset pull SaturationY 10000 10000\n");
        String svg = ForcePictures.field(resource, 100, List.of("pull"));
        Matcher arrows = Pattern.compile("<line class=\"force\" x1=\"([-\\d.]+)\" y1=\"([-\\d.]+)\" x2=\"([-\\d.]+)\" "
                + "y2=\"([-\\d.]+)\"").matcher(svg);
        int count = 0;
        while (arrows.find()) {
            count++;
            double x1 = Double.parseDouble(arrows.group(1)), y1 = Double.parseDouble(arrows.group(2));
            double x2 = Double.parseDouble(arrows.group(3)), y2 = Double.parseDouble(arrows.group(4));
            // Towards the centre: the arrow shortens the distance to (960, 540).
            assertTrue(Math.hypot(x2 - 960, y2 - 540) < Math.hypot(x1 - 960, y1 - 540),
                    "the arrow at " + x1 + "," + y1 + " points away");
        }
        assertEquals(32 * 18, count, "an arrow at every grid point: none sits on the centre");
        assertTrue(svg.contains("force field of pull at 100 ms"), svg);
    }
}
