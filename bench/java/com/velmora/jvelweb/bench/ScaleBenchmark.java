package com.velmora.jvelweb.bench;

import com.velmora.jvelweb.JVelWeb;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicLong;

/**
 * How the simulated plug-in scales with the number of effects it holds (the
 * bundled one: run with HOME set to an empty directory). It prints seconds and
 * effects per second; it asserts nothing.
 *
 * <ol>
 *   <li>MakeConstant from Java, 8000 and then scale.effects (100000) times,
 *       each on a fresh plug-in;</li>
 *   <li>enumeration by index of every effect (GetNameOfEffect), and of the
 *       playing ones after every tenth was started;</li>
 *   <li>OpenForceResource of a generated file that makes scale.fileEffects
 *       (10000) effects, into an empty plug-in and into one that already holds
 *       scale.effects. Meanwhile a second thread calls GetNumberOfEffects in a
 *       loop: its longest call is how long the load kept the plug-in's lock
 *       from other callers.</li>
 * </ol>
 * Each step stops early once it has run scale.budget seconds (60), and then
 * says how far it got: a quadratic plug-in would otherwise take hours.
 */
public final class ScaleBenchmark {
    private static final int EFFECTS = Integer.getInteger("scale.effects", 100_000);
    private static final int FILE_EFFECTS = Integer.getInteger("scale.fileEffects", 10_000);
    private static final long BUDGET_NS = Long.getLong("scale.budget", 60) * 1_000_000_000L;

    public static void main(String[] args) throws Exception {
        Path registration =
                Path.of(System.getenv("HOME"), ".jvelcom", "classes", "{18B46DCC-AD84-47A3-8974-433DC96BACB6}");
        if (Files.exists(registration)) {
            System.err.println("A plug-in is registered in " + registration
                    + "; run with HOME set to an empty directory so the bundled simulated plug-in is used.");
            System.exit(2);
        }
        JVelWeb web = new JVelWeb();
        System.out.printf("%-58s %9s %9s %14s%n", "step", "done", "seconds", "per second");

        for (int count : new int[] {8000, EFFECTS}) {
            acquire(web);
            make(web, count, "MakeConstant x " + count + " from Java");
            if (count == EFFECTS) enumerate(web);
            web._jni_delete();
        }

        Path file = Files.createTempFile("jvelweb-scale", ".vel");
        try {
            Files.writeString(file, resourceText(FILE_EFFECTS), StandardCharsets.UTF_8);
            acquire(web);
            load(web, file, "OpenForceResource, " + FILE_EFFECTS + " effects, empty plug-in");
            web._jni_delete();
            acquire(web);
            int held = make(web, EFFECTS, "(set-up: MakeConstant x " + EFFECTS + ")");
            load(web, file, "OpenForceResource, " + FILE_EFFECTS + " effects, plug-in holding " + held);
            web._jni_delete();
        } finally {
            Files.deleteIfExists(file);
        }
    }

    private static void acquire(JVelWeb web) {
        if (web._jni_initialize(0) != 0) throw new IllegalStateException("_jni_initialize failed");
    }

    /** Makes up to count effects named "e0", "e1", ...; returns how many were made. */
    private static int make(JVelWeb web, int count, String step) {
        long start = System.nanoTime();
        int made = 0;
        while (made < count && !overBudget(made, start)) {
            if (!web.MakeConstant("e" + made)) throw new IllegalStateException("MakeConstant refused e" + made);
            made++;
        }
        report(step, made, count, System.nanoTime() - start);
        return made;
    }

    private static void enumerate(JVelWeb web) {
        int all = web.GetNumberOfEffects(0);
        long start = System.nanoTime();
        int read = 0;
        while (read < all && !overBudget(read, start)) {
            if (web.GetNameOfEffect(0, read).isEmpty()) throw new IllegalStateException("no name at " + read);
            read++;
        }
        report("GetNameOfEffect(0, i) over all " + all, read, all, System.nanoTime() - start);

        for (int i = 0; i < all; i += 10) web.StartEffect("e" + i, 1);
        int playing = web.GetNumberOfEffects(1);
        start = System.nanoTime();
        read = 0;
        while (read < playing && !overBudget(read, start)) {
            if (!web.GetNameOfEffect(1, read).equals("e" + read * 10)) {
                throw new IllegalStateException("playing effect " + read + " out of order");
            }
            read++;
        }
        report("GetNameOfEffect(1, i) over " + playing + " playing", read, playing, System.nanoTime() - start);
        start = System.nanoTime();
        web.StopEffects();
        report("StopEffects, " + playing + " playing", playing, playing, System.nanoTime() - start);
    }

    private static void load(JVelWeb web, Path file, String step) throws InterruptedException {
        AtomicBoolean loading = new AtomicBoolean(true);
        AtomicLong longest = new AtomicLong();
        AtomicLong polls = new AtomicLong();
        Thread poller = new Thread(() -> {
            while (loading.get()) {
                long before = System.nanoTime();
                web.GetNumberOfEffects(0);
                longest.accumulateAndGet(System.nanoTime() - before, Math::max);
                polls.incrementAndGet();
            }
        });
        poller.start();
        long start = System.nanoTime();
        int loaded = web.OpenForceResource(file.toString());
        long elapsed = System.nanoTime() - start;
        loading.set(false);
        poller.join();
        if (loaded != FILE_EFFECTS) throw new IllegalStateException("OpenForceResource gave " + loaded);
        report(step, loaded, FILE_EFFECTS, elapsed);
        System.out.printf("    another thread meanwhile: %d calls, the longest %.3f ms%n", polls.get(),
                longest.get() / 1e6);
    }

    /** A file that makes count effects: nine in ten simple ones of five kinds, each given a Gain, then compounds. */
    static String resourceText(int count) {
        String[] kinds = {"Constant", "Ramp", "Spring 1", "Damper 0", "Periodic 2"};
        int compounds = count / 10;
        int simple = count - compounds;
        StringBuilder text = new StringBuilder("# generated by ScaleBenchmark\n");
        for (int i = 0; i < simple; i++) {
            text.append("effect f").append(i).append(' ').append(kinds[i % kinds.length]).append('\n');
            text.append("set f").append(i).append(" Gain ").append(i % 10001).append('\n');
        }
        for (int i = 0; i < compounds; i++) {
            text.append("compound c").append(i);
            for (int m = 0; m < 3; m++) text.append(" f").append((i * 3 + m) % simple);
            text.append('\n');
        }
        return text.toString();
    }

    private static boolean overBudget(int done, long start) {
        return done % 1000 == 0 && System.nanoTime() - start > BUDGET_NS;
    }

    private static void report(String step, int done, int wanted, long nanos) {
        double seconds = nanos / 1e9;
        String note = done < wanted ? "   (stopped after the budget: " + done + " of " + wanted + ")" : "";
        System.out.printf("%-58s %9d %9.3f %14.0f%s%n", step, done, seconds, done / Math.max(seconds, 1e-9), note);
    }
}
