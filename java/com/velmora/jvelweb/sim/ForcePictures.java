package com.velmora.jvelweb.sim;

import com.velmora.jvelweb.JVelWeb;
import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import java.util.Map;

/**
 * Writes pictures of the simulated device as SVG files, without a browser:
 * <pre>
 * java -cp jvelweb.jar com.velmora.jvelweb.sim.ForcePictures plot RECORDING.csv OUT.svg
 * java -cp jvelweb.jar com.velmora.jvelweb.sim.ForcePictures field RESOURCE.vel MILLIS OUT.svg EFFECT...
 * </pre>
 * {@code plot} draws a recording of {@link SimulatedDevice#record}: the total
 * force and each effect's share over time, x above and y below. {@code field}
 * loads a resource into the simulated plug-in, starts the named effects under
 * the manual clock, advances it by MILLIS, and draws the force a handle held
 * still would feel, as arrows on a 60-pixel grid over the 1920 by 1080 screen
 * at a fixed scale: 10000 device units are 50 pixels.
 */
public final class ForcePictures {
    /** The field's arrows: screen pixels per device unit. */
    static final double ARROW_SCALE = 50.0 / 10000;
    static final int GRID = 60;

    private ForcePictures() {}

    /**
     * Runs one of the two commands; prints how to use it and exits with 2 on other arguments.
     *
     * @param args {@code plot RECORDING OUT} or {@code field RESOURCE MILLIS OUT EFFECT...}
     */
    public static void main(String[] args) {
        if (args.length == 3 && args[0].equals("plot")) {
            write(Path.of(args[2]), plot(read(Path.of(args[1]))));
        } else if (args.length >= 5 && args[0].equals("field")) {
            write(Path.of(args[3]), field(Path.of(args[1]), Long.parseLong(args[2]),
                    List.of(Arrays.copyOfRange(args, 4, args.length))));
        } else {
            System.err.println("usage: ForcePictures plot RECORDING.csv OUT.svg\n"
                    + "       ForcePictures field RESOURCE.vel MILLIS OUT.svg EFFECT...");
            System.exit(2);
        }
    }

    /** The SVG of a recording's forces over time. */
    static String plot(String csv) {
        RecordingCsv recording = RecordingCsv.parse(csv);
        Svg svg = new Svg(1000, 580);
        long first = recording.times.isEmpty() ? 0 : recording.times.get(0);
        long last = recording.times.isEmpty() ? 1 : Math.max(first + 1, recording.times.get(recording.times.size() - 1));
        for (int axis = 0; axis < 2; axis++) {
            double top = 30 + axis * 270, height = 220;
            svg.text(60, top - 8, "force " + (axis == 0 ? "x" : "y") + " (device units) over "
                    + (last - first) + " ms of device time");
            svg.rect(60, top, 900, height);
            svg.line(60, top + height / 2, 960, top + height / 2, "#bbb", 1);
            svg.text(8, top + 5, "10000");
            svg.text(40, top + height / 2 + 5, "0");
            svg.text(4, top + height + 5, "-10000");
            int colour = 0;
            double legend = 60;
            for (Map.Entry<String, List<int[]>> effect : recording.effects.entrySet()) {
                String stroke = Svg.colour(colour++);
                svg.polyline(points(recording.times, effect.getValue(), axis, first, last, top, height), stroke, 1,
                        effect.getKey());
                svg.line(legend, top + height + 18, legend + 20, top + height + 18, stroke, 3);
                svg.text(legend + 24, top + height + 23, effect.getKey());
                legend += 34 + 8 * effect.getKey().length();
            }
            svg.polyline(points(recording.times, recording.totals, axis, first, last, top, height), "#263238", 2.5,
                    "total");
        }
        return svg.finish();
    }

    private static double[] points(List<Long> times, List<int[]> forces, int axis, long first, long last, double top,
                                   double height) {
        double[] xy = new double[times.size() * 2];
        for (int i = 0; i < times.size(); i++) {
            xy[2 * i] = 60 + 900.0 * (times.get(i) - first) / (last - first);
            xy[2 * i + 1] = top + height / 2 - height / 2 * forces.get(i)[axis] / 10000.0;
        }
        return xy;
    }

    /** The SVG of the force field of a resource's effects, started and run for millis ms. */
    static String field(Path resource, long millis, List<String> effects) {
        JVelWeb web = new JVelWeb();
        if (web._jni_initialize(0) != 0) throw new IllegalStateException("no simulated plug-in could be acquired");
        try {
            if (web.OpenForceResource(resource.toString()) <= 0)
                throw new IllegalArgumentException("the resource " + resource + " made no effect");
            SimulatedDevice.useManualClock();
            for (String effect : effects)
                if (!web.StartEffect(effect, -1)) throw new IllegalArgumentException("cannot start the effect " + effect);
            SimulatedDevice.advance(millis);
            Svg svg = new Svg(1920, 1080);
            svg.rect(0, 0, 1920, 1080);
            svg.text(10, 24, "force field of " + String.join(", ", effects) + " at " + millis
                    + " ms (10000 device units = 50 px)");
            for (int y = GRID / 2; y < 1080; y += GRID) {
                for (int x = GRID / 2; x < 1920; x += GRID) {
                    SimulatedDevice.Force force = SimulatedDevice.forceAt(x, y);
                    svg.arrow(x, y, x + force.x() * ARROW_SCALE, y + force.y() * ARROW_SCALE);
                }
            }
            return svg.finish();
        } finally {
            web._jni_delete();
        }
    }

    private static String read(Path file) {
        try {
            return Files.readString(file, StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new UncheckedIOException("cannot read " + file, e);
        }
    }

    private static void write(Path file, String svg) {
        try {
            Files.writeString(file, svg, StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new UncheckedIOException("cannot write " + file, e);
        }
    }
}
