package com.velmora.jvelweb.bench;

import com.velmora.jvelweb.JVelWeb;
import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;

/**
 * A million calls of each benchmarked shape against the simulated plug-in
 * (the bundled one: run with HOME set to an empty directory), one call in four
 * refused by the plug-in (an unknown effect or a selector out of range), with
 * the process's resident memory (VmRSS) before and after each shape and at the
 * end, and the COM layer's live BSTRs and error objects. "failed" counts the
 * calls that returned the failure value (false, -99 or ""). It prints figures;
 * it asserts nothing.
 *
 * <p>The shapes run in rounds: growth that stops after the first round is
 * the allocators and the JVM settling; growth that repeats round after round
 * is a leak.
 *
 * <p>Settings (system properties): soak.calls (per shape and round, 1000000),
 * soak.rounds (3).
 */
public final class Soak {
    private static final int CALLS = Integer.getInteger("soak.calls", 1_000_000);
    private static final int ROUNDS = Integer.getInteger("soak.rounds", 3);
    private static final String EFFECT = "soak-spring";
    private static final String UNKNOWN = "no-such-effect";

    @FunctionalInterface
    interface Calls {
        /** Calls `n` times; returns how many calls the plug-in refused. */
        long run(int n);
    }

    record Shape(String name, Calls calls) {}

    public static void main(String[] args) throws IOException {
        Path registration = Path.of(System.getenv("HOME"), ".jvelcom", "classes", BridgeBenchmark.CLASS_FILE);
        if (Files.exists(registration)) {
            System.err.println("A plug-in is registered in " + registration
                    + "; run with HOME set to an empty directory so the bundled simulated plug-in is used.");
            System.exit(2);
        }
        JVelWeb web = new JVelWeb();
        if (web._jni_initialize(0) != 0) throw new IllegalStateException("_jni_initialize failed");
        try {
            if (!web.MakeSpring(EFFECT, 0) || !web.ChangeCenter(EFFECT, 0, 120, 80)) {
                throw new IllegalStateException("the simulated plug-in refused the set-up");
            }
            run(web);
        } finally {
            web._jni_delete();
        }
    }

    private static void run(JVelWeb web) throws IOException {
        List<Shape> shapes = new ArrayList<>();
        // Refused: a selector other than 0 or 1 (GetNumberOfEffects), an
        // iteration count of 0 (StartEffect), an unknown effect (the others
        // with a name). StopEffects and GetPluginVersion have nothing to refuse.
        shapes.add(new Shape("StopEffects() -> boolean", n -> {
            long refused = 0;
            for (int i = 0; i < n; i++) refused += web.StopEffects() ? 0 : 1;
            return refused;
        }));
        shapes.add(new Shape("GetNumberOfEffects(int) -> int", n -> {
            long refused = 0;
            for (int i = 0; i < n; i++) refused += web.GetNumberOfEffects(i % 4 == 3 ? 7 : i & 1) == -99 ? 1 : 0;
            return refused;
        }));
        shapes.add(new Shape("StartEffect(String, int) -> boolean", n -> {
            long refused = 0;
            for (int i = 0; i < n; i++) refused += web.StartEffect(EFFECT, i % 4 == 3 ? 0 : 1) ? 0 : 1;
            return refused;
        }));
        shapes.add(new Shape("GetCenterX(String, int) -> int", n -> {
            long refused = 0;
            for (int i = 0; i < n; i++) refused += web.GetCenterX(i % 4 == 3 ? UNKNOWN : EFFECT, 0) == -99 ? 1 : 0;
            return refused;
        }));
        shapes.add(new Shape("EffectSupportsGet(String, int, String) -> boolean", n -> {
            long refused = 0;
            for (int i = 0; i < n; i++) {
                refused += web.EffectSupportsGet(i % 4 == 3 ? UNKNOWN : EFFECT, 0, "CenterX") ? 0 : 1;
            }
            return refused;
        }));
        shapes.add(new Shape("GetPluginVersion() -> String", n -> {
            long refused = 0;
            for (int i = 0; i < n; i++) refused += web.GetPluginVersion().isEmpty() ? 1 : 0;
            return refused;
        }));
        shapes.add(new Shape("GetEffectTypeName(String, int) -> String", n -> {
            long refused = 0;
            for (int i = 0; i < n; i++) refused += web.GetEffectTypeName(i % 4 == 3 ? UNKNOWN : EFFECT, 0).isEmpty() ? 1 : 0;
            return refused;
        }));

        System.out.println("JVelWeb soak: " + CALLS + " calls per shape against the simulated plug-in");
        System.out.println("JVM args: " + String.join(" ", ManagementFactory.getRuntimeMXBean().getInputArguments()));
        // A short round of every shape first, so that class loading and the
        // JIT's first compilations are behind the first figure.
        for (Shape shape : shapes) shape.calls().run(20_000);
        long first = rssKiB();
        System.out.printf("RSS after a warm-up round of 20000 calls per shape: %d KiB%n%n", first);
        String head = String.format("%-50s %10s %9s %12s %12s %10s %8s %8s", "round, shape", "calls", "failed",
                "RSS before", "RSS after", "change", "BSTRs", "errors");
        System.out.println(head);
        System.out.println("-".repeat(head.length()));
        for (int round = 1; round <= ROUNDS; round++) {
            long roundStart = rssKiB();
            for (Shape shape : shapes) {
                long before = rssKiB();
                long start = System.nanoTime();
                long refused = shape.calls().run(CALLS);
                double seconds = (System.nanoTime() - start) / 1e9;
                long after = rssKiB();
                System.out.printf("%d %-48s %10d %9d %8d KiB %8d KiB %+6d KiB %8d %8d   (%.1f s, %.0f ns/call)%n",
                        round, shape.name(), CALLS, refused, before, after, after - before, Floor.liveStrings(),
                        Floor.liveErrorObjects(), seconds, seconds * 1e9 / CALLS);
            }
            long roundEnd = rssKiB();
            System.out.printf("  round %d: %+d KiB%n", round, roundEnd - roundStart);
        }
        long last = rssKiB();
        System.out.printf("%nRSS at the end: %d KiB (%+d KiB since the first figure); live BSTRs %d,"
                + " live error objects %d%n",
                last, last - first, Floor.liveStrings(), Floor.liveErrorObjects());
    }

    /** VmRSS of this process, from /proc/self/status. */
    static long rssKiB() throws IOException {
        for (String line : Files.readAllLines(Path.of("/proc/self/status"))) {
            if (line.startsWith("VmRSS:")) return Long.parseLong(line.replaceAll("[^0-9]", ""));
        }
        return -1;
    }

    private Soak() {}
}
