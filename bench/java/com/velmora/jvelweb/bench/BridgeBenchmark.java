package com.velmora.jvelweb.bench;

import com.velmora.jvelweb.JVelWeb;
import java.io.File;
import java.io.IOException;
import java.lang.management.GarbageCollectorMXBean;
import java.lang.management.ManagementFactory;
import java.lang.management.ThreadMXBean;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.concurrent.BrokenBarrierException;
import java.util.concurrent.CyclicBarrier;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicLong;

/**
 * What a JVelWeb native costs against the least any correct native must do,
 * and against calling the plug-in through JNA.
 *
 * <p>For each shape of native (arguments and result), the same plug-in
 * operation is called four ways: our native ({@link JVelWeb}); the floor
 * ({@link Floor}: the same Java signature doing only the work no correct
 * native can leave out: a reference taken and given back, each String read
 * straight into a BSTR, one call through the same vtable slot, a String
 * result made from the plug-in's UTF-16); the floor without the reference and
 * without making the BSTR ({@link FloorWithoutRefsOrConversion}); and JNA
 * ({@link JnaPlugin}). The plug-in is the benchmark plug-in, whose operations
 * only write a constant, registered for the current user for the run: run it
 * with HOME set to an empty temporary directory ({@code scripts/run-benchmark}
 * does).
 *
 * <p>Each way is warmed up (at least {@code bench.warmup} seconds and until
 * the time per call of the last five short batches is within 5%), then the
 * four are timed in {@code bench.reps} rounds, each round one batch of every
 * way ({@code bench.batch} calls) in an order that rotates from round to
 * round, so that a slow spell of the machine falls on all of them alike. The
 * table gives the median, min and max nanoseconds per call, and ours / floor
 * as the median of the rounds' ratios. Every result is consumed.
 * Throughput is total calls per second with one and two threads, for our
 * natives with the plug-in's reference count on its own cache line and on the
 * line of its vtable pointers, and for the floor.
 *
 * <p>Settings (system properties): bench.warmup (s, 2), bench.reps (15),
 * bench.batch (1000000), bench.jnaBatch (calls per JNA batch, 200000: a JNA call
 * takes microseconds), bench.tpSeconds (s per throughput window, 1),
 * bench.tpRounds (3), bench.shapes (comma-separated native names to run, for
 * profiling one shape; all by default), bench.cpu (the CPU the measuring
 * thread and the first throughput thread are bound to; the second throughput
 * thread takes the next CPU; -1, the default, binds nothing). On a virtual
 * machine whose CPUs do not run at the same speed, binding is what makes two
 * runs comparable.
 */
public final class BridgeBenchmark {
    static final String EFFECT = "bench-effect-001"; // 16 characters
    static final String PARAMETER = "CoefficientX";
    static final String CLASS_FILE = "{18B46DCC-AD84-47A3-8974-433DC96BACB6}";

    /** Runs the call `calls` times and returns a value made from every result. */
    @FunctionalInterface
    interface Batch {
        long run(int calls);
    }

    record Stats(double median, double min, double max, double cpuMedian, boolean settled) {}

    record Shape(String name, String signature, Batch ours, Batch floor, Batch bare, Batch jna) {}

    /** One shape's rounds: ns per call by wall clock and by CPU time, [way][round]. */
    record Rounds(double[][] wall, double[][] cpu, boolean settled) {
        Stats stats(int way) {
            double[] sorted = wall[way].clone();
            Arrays.sort(sorted);
            return new Stats(median(sorted), sorted[0], sorted[sorted.length - 1], median(cpu[way]), settled);
        }

        /** The median over rounds of way a / way b, each round's batches taken side by side. */
        double ratio(int a, int b, boolean byCpu) {
            double[][] t = byCpu ? cpu : wall;
            double[] ratios = new double[t[a].length];
            for (int r = 0; r < ratios.length; r++) ratios[r] = t[a][r] / t[b][r];
            return median(ratios);
        }
    }

    static final int OURS = 0;
    static final int FLOOR = 1;
    static final int BARE = 2;
    static final int JNA = 3;

    /** Calls per second of all threads together, and CPU time per call of the calling threads. */
    record Rate(double callsPerSecond, double cpuNsPerCall) {}

    static volatile long sink;

    private static final ThreadMXBean THREADS = ManagementFactory.getThreadMXBean();

    private static final double WARMUP = Double.parseDouble(System.getProperty("bench.warmup", "2"));
    private static final int REPS = Integer.getInteger("bench.reps", 15);
    private static final int BATCH = Integer.getInteger("bench.batch", 1_000_000);
    private static final int JNA_BATCH = Integer.getInteger("bench.jnaBatch", 200_000);
    private static final String ONLY = System.getProperty("bench.shapes", "");
    private static final int CPU = Integer.getInteger("bench.cpu", -1);
    // Read before any thread is bound: the JVM answers for the calling thread.
    private static final int CPUS = Runtime.getRuntime().availableProcessors();
    private static final double TP_SECONDS = Double.parseDouble(System.getProperty("bench.tpSeconds", "1"));
    private static final int TP_ROUNDS = Integer.getInteger("bench.tpRounds", 3);
    private static final int CHUNK = 10_000;

    public static void main(String[] args) throws Exception {
        String libDir = findLibraryDirectory("libjvelweb_benchplugin.so");
        Path registration = Path.of(System.getenv("HOME"), ".jvelcom", "classes", CLASS_FILE);
        if (Files.exists(registration)) {
            System.err.println("A plug-in is already registered in " + registration
                    + "; run with HOME set to an empty directory (scripts/run-benchmark does).");
            System.exit(2);
        }
        check(Floor.registerPlugin(libDir + "/libjvelweb_benchplugin.so"), "registering the bench plug-in");
        JVelWeb web = new JVelWeb();
        try {
            if (web._jni_initialize(0) != 0) throw new IllegalStateException("_jni_initialize failed");
            check(Floor.open(EFFECT, PARAMETER), "creating the floor's plug-in");
            run(web, libDir);
        } finally {
            web._jni_delete();
            Floor.close();
            Floor.unregisterPlugin();
        }
    }

    private static void run(JVelWeb web, String libDir) throws Exception {
        Floor floor = new Floor();
        FloorWithoutRefsOrConversion bare = new FloorWithoutRefsOrConversion();
        JnaPlugin jna = new JnaPlugin(Floor.pluginPointer(), libDir + "/libjvelcom.so");
        checkAnswers(web, floor, bare, jna);
        if (CPU >= 0 && Floor.pinThisThread(CPU) != 0) {
            throw new IllegalStateException("cannot bind the measuring thread to CPU " + CPU);
        }
        printHeader();

        List<Shape> shapes = shapes(web, floor, bare, jna);
        if (!ONLY.isEmpty()) {
            List<String> only = Arrays.asList(ONLY.split(","));
            shapes.removeIf(shape -> !only.contains(shape.name()));
        }
        System.out.println();
        System.out.println("Latency: ns per call, median [min - max] of " + REPS + " rounds"
                + " (a batch of " + BATCH + " calls per way and round; JNA " + JNA_BATCH + "),"
                + " the four ways interleaved in rotating order");
        System.out.println("ours/floor and ours/JNA: median of the rounds' ratios;"
                + " bare floor = no AddRef/Release, BSTR made once beforehand");
        System.out.println();
        String head = String.format("%-50s %-24s %-24s %-24s %-24s %10s %9s", "shape (JVelWeb native)", "ours",
                "floor", "bare floor", "JNA", "ours/floor", "ours/JNA");
        System.out.println(head);
        System.out.println("-".repeat(head.length()));
        boolean allSettled = true;
        List<Rounds> measured = new ArrayList<>();
        for (Shape shape : shapes) {
            Rounds rounds = measure(shape);
            measured.add(rounds);
            allSettled &= rounds.settled();
            System.out.printf("%-50s %-24s %-24s %-24s %-24s %10.2f %9.3f%n", shape.name() + shape.signature(),
                    cell(rounds.stats(OURS)), cell(rounds.stats(FLOOR)), cell(rounds.stats(BARE)),
                    cell(rounds.stats(JNA)), rounds.ratio(OURS, FLOOR, false), rounds.ratio(OURS, JNA, false));
        }
        if (!allSettled) {
            System.out.println("(*) warm-up ended at its time limit before the last five batches agreed within 5%");
        }
        // The thread's own CPU clock leaves out the time other processes had the
        // core; on a busy machine these figures hold better than the wall clock.
        System.out.println();
        System.out.println("The same rounds by the calling thread's CPU time: ns per call, median; ratios: median of"
                + " the rounds' ratios");
        System.out.println();
        String cpuHead = String.format("%-50s %9s %9s %11s %9s %10s %9s", "", "ours", "floor", "bare floor", "JNA",
                "ours/floor", "ours/JNA");
        System.out.println(cpuHead);
        System.out.println("-".repeat(cpuHead.length()));
        for (int i = 0; i < shapes.size(); i++) {
            Rounds m = measured.get(i);
            System.out.printf("%-50s %9.1f %9.1f %11.1f %9.1f %10.2f %9.3f%n",
                    shapes.get(i).name() + shapes.get(i).signature(), m.stats(OURS).cpuMedian(),
                    m.stats(FLOOR).cpuMedian(), m.stats(BARE).cpuMedian(), m.stats(JNA).cpuMedian(),
                    m.ratio(OURS, FLOOR, true), m.ratio(OURS, JNA, true));
        }

        Rate[][] tp = new Rate[shapes.size()][6];
        for (int i = 0; i < shapes.size(); i++) {
            tp[i][0] = throughput(shapes.get(i).ours(), 1);
            tp[i][1] = throughput(shapes.get(i).ours(), 2);
            tp[i][2] = throughput(shapes.get(i).floor(), 1);
            tp[i][3] = throughput(shapes.get(i).floor(), 2);
        }
        // The same natives on a plug-in whose count shares the vtable pointers' line.
        web._jni_delete();
        check(Floor.registerPlugin(libDir + "/libjvelweb_benchplugin_sharedline.so"),
                "registering the shared-line plug-in");
        if (web._jni_initialize(0) != 0) throw new IllegalStateException("_jni_initialize (shared line) failed");
        for (int i = 0; i < shapes.size(); i++) {
            tp[i][4] = throughput(shapes.get(i).ours(), 1);
            tp[i][5] = throughput(shapes.get(i).ours(), 2);
        }

        System.out.println();
        System.out.println("Throughput: million calls/s, all threads together (median of " + TP_ROUNDS
                + " windows of " + TP_SECONDS + " s)");
        System.out.println("count on own line = the plug-in's reference count alone on its cache line;"
                + " shared line = next to its vtable pointers");
        printRates(shapes, tp, false);
        System.out.println();
        System.out.println("The same windows by the calling threads' CPU time: ns per call (a call that waits for a"
                + " cache line the other thread holds takes longer)");
        printRates(shapes, tp, true);
        System.out.println();
        System.out.println("Load average at the end: " + loadAverage() + " (checksum " + sink + ")");
    }

    private static void printRates(List<Shape> shapes, Rate[][] tp, boolean cpu) {
        System.out.println();
        String head = String.format("%-50s %9s %9s %6s   %9s %9s %6s   %9s %9s %6s", "", "ours 1T", "ours 2T",
                "2T/1T", "floor 1T", "floor 2T", "2T/1T", "ours 1T", "ours 2T", "2T/1T");
        System.out.printf("%-50s %-29s   %-29s   %-29s%n", "", "ours, count on own line", "floor",
                "ours, count on shared line");
        System.out.println(head);
        System.out.println("-".repeat(head.length()));
        for (int i = 0; i < shapes.size(); i++) {
            double[] v = new double[6];
            for (int k = 0; k < 6; k++) v[k] = cpu ? tp[i][k].cpuNsPerCall() : tp[i][k].callsPerSecond() / 1e6;
            System.out.printf("%-50s %9.2f %9.2f %6.2f   %9.2f %9.2f %6.2f   %9.2f %9.2f %6.2f%n",
                    shapes.get(i).name() + shapes.get(i).signature(), v[0], v[1], v[1] / v[0], v[2], v[3],
                    v[3] / v[2], v[4], v[5], v[5] / v[4]);
        }
    }

    private static List<Shape> shapes(JVelWeb web, Floor floor, FloorWithoutRefsOrConversion bare, JnaPlugin jna) {
        List<Shape> shapes = new ArrayList<>();
        shapes.add(new Shape("StopEffects", "() -> boolean",
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += web.StopEffects() ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += floor.StopEffects() ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += bare.StopEffects() ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += jna.StopEffects() ? 1 : 0;
                    return a;
                }));
        shapes.add(new Shape("GetNumberOfEffects", "(int) -> int",
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += web.GetNumberOfEffects(i & 1);
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += floor.GetNumberOfEffects(i & 1);
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += bare.GetNumberOfEffects(i & 1);
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += jna.GetNumberOfEffects(i & 1);
                    return a;
                }));
        shapes.add(new Shape("StartEffect", "(String, int) -> boolean",
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += web.StartEffect(EFFECT, i) ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += floor.StartEffect(EFFECT, i) ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += bare.StartEffect(EFFECT, i) ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += jna.StartEffect(EFFECT, i) ? 1 : 0;
                    return a;
                }));
        shapes.add(new Shape("GetCenterX", "(String, int) -> int",
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += web.GetCenterX(EFFECT, i);
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += floor.GetCenterX(EFFECT, i);
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += bare.GetCenterX(EFFECT, i);
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += jna.GetCenterX(EFFECT, i);
                    return a;
                }));
        shapes.add(new Shape("EffectSupportsGet", "(String, int, String) -> boolean",
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += web.EffectSupportsGet(EFFECT, i, PARAMETER) ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += floor.EffectSupportsGet(EFFECT, i, PARAMETER) ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += bare.EffectSupportsGet(EFFECT, i, PARAMETER) ? 1 : 0;
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += jna.EffectSupportsGet(EFFECT, i, PARAMETER) ? 1 : 0;
                    return a;
                }));
        shapes.add(new Shape("GetPluginVersion", "() -> String",
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += web.GetPluginVersion().length();
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += floor.GetPluginVersion().length();
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += bare.GetPluginVersion().length();
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += jna.GetPluginVersion().length();
                    return a;
                }));
        shapes.add(new Shape("GetEffectTypeName", "(String, int) -> String",
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += web.GetEffectTypeName(EFFECT, i).length();
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += floor.GetEffectTypeName(EFFECT, i).length();
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += bare.GetEffectTypeName(EFFECT, i).length();
                    return a;
                },
                n -> {
                    long a = 0;
                    for (int i = 0; i < n; i++) a += jna.GetEffectTypeName(EFFECT, i).length();
                    return a;
                }));
        return shapes;
    }

    /** All four ways must reach the bench plug-in and read its constant answers. */
    private static void checkAnswers(JVelWeb web, Floor floor, FloorWithoutRefsOrConversion bare, JnaPlugin jna) {
        String version = "1.0.0-bench";
        boolean ok = web.StopEffects() && floor.StopEffects() && bare.StopEffects() && jna.StopEffects()
                && web.GetNumberOfEffects(0) == 7 && floor.GetNumberOfEffects(0) == 7
                && bare.GetNumberOfEffects(0) == 7 && jna.GetNumberOfEffects(0) == 7
                && web.StartEffect(EFFECT, 1) && floor.StartEffect(EFFECT, 1) && bare.StartEffect(EFFECT, 1)
                && jna.StartEffect(EFFECT, 1)
                && web.GetCenterX(EFFECT, 0) == 7 && floor.GetCenterX(EFFECT, 0) == 7 && bare.GetCenterX(EFFECT, 0) == 7
                && jna.GetCenterX(EFFECT, 0) == 7
                && web.EffectSupportsGet(EFFECT, 0, PARAMETER) && floor.EffectSupportsGet(EFFECT, 0, PARAMETER)
                && bare.EffectSupportsGet(EFFECT, 0, PARAMETER) && jna.EffectSupportsGet(EFFECT, 0, PARAMETER)
                && version.equals(web.GetPluginVersion()) && version.equals(floor.GetPluginVersion())
                && version.equals(bare.GetPluginVersion()) && version.equals(jna.GetPluginVersion())
                && version.equals(web.GetEffectTypeName(EFFECT, 0))
                && version.equals(floor.GetEffectTypeName(EFFECT, 0))
                && version.equals(bare.GetEffectTypeName(EFFECT, 0))
                && version.equals(jna.GetEffectTypeName(EFFECT, 0));
        if (!ok) throw new IllegalStateException("the four ways do not all reach the bench plug-in");
    }

    // ---- Measuring ----

    /** Warms each way up, then times REPS rounds of one batch per way, in rotating order. */
    private static Rounds measure(Shape shape) {
        Batch[] ways = {shape.ours(), shape.floor(), shape.bare(), shape.jna()};
        int[] calls = {BATCH, BATCH, BATCH, JNA_BATCH};
        boolean settled = true;
        for (int w = 0; w < ways.length; w++) settled &= warmUp(ways[w], calls[w]);
        double[][] wall = new double[ways.length][REPS];
        double[][] cpu = new double[ways.length][REPS];
        long acc = 0;
        for (int r = 0; r < REPS; r++) {
            for (int k = 0; k < ways.length; k++) {
                int w = (r + k) % ways.length;
                long cpuStart = THREADS.getCurrentThreadCpuTime();
                long start = System.nanoTime();
                acc += ways[w].run(calls[w]);
                wall[w][r] = (System.nanoTime() - start) / (double) calls[w];
                cpu[w][r] = (THREADS.getCurrentThreadCpuTime() - cpuStart) / (double) calls[w];
            }
        }
        sink += acc;
        return new Rounds(wall, cpu, settled);
    }

    private static double median(double[] values) {
        double[] sorted = values.clone();
        Arrays.sort(sorted);
        int n = sorted.length;
        return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }

    /**
     * Short batches for at least WARMUP seconds, then until the last five agree
     * within 5% (so the JIT has settled), or 3 x WARMUP at most.
     */
    private static boolean warmUp(Batch batch, int calls) {
        int shortBatch = Math.max(1_000, calls / 20);
        double[] recent = new double[5];
        long start = System.nanoTime();
        long minimum = start + (long) (WARMUP * 1e9);
        long limit = start + (long) (3 * WARMUP * 1e9);
        long acc = 0;
        for (int k = 0; ; k++) {
            long t0 = System.nanoTime();
            acc += batch.run(shortBatch);
            long t1 = System.nanoTime();
            recent[k % recent.length] = (t1 - t0) / (double) shortBatch;
            if (t1 >= minimum && k >= recent.length) {
                double lo = Arrays.stream(recent).min().orElse(0);
                double hi = Arrays.stream(recent).max().orElse(0);
                if (hi <= lo * 1.05) {
                    sink += acc;
                    return true;
                }
            }
            if (t1 >= limit) {
                sink += acc;
                return false;
            }
        }
    }

    /** Median over rounds of the rate with `threads` threads calling `batch`. */
    private static Rate throughput(Batch batch, int threads) throws InterruptedException {
        double[] perSecond = new double[TP_ROUNDS];
        double[] cpuPerCall = new double[TP_ROUNDS];
        throughputRound(batch, threads, Math.min(0.3, TP_SECONDS)); // settles the threads' start
        for (int r = 0; r < TP_ROUNDS; r++) {
            Rate rate = throughputRound(batch, threads, TP_SECONDS);
            perSecond[r] = rate.callsPerSecond();
            cpuPerCall[r] = rate.cpuNsPerCall();
        }
        return new Rate(median(perSecond), median(cpuPerCall));
    }

    private static Rate throughputRound(Batch batch, int threads, double seconds) throws InterruptedException {
        AtomicBoolean stop = new AtomicBoolean();
        AtomicLong calls = new AtomicLong();
        AtomicLong cpuNanos = new AtomicLong();
        AtomicLong lastEnd = new AtomicLong();
        AtomicLong consumed = new AtomicLong();
        CyclicBarrier start = new CyclicBarrier(threads + 1);
        Thread[] workers = new Thread[threads];
        for (int t = 0; t < threads; t++) {
            final int cpu = CPU < 0 ? -1 : (CPU + t) % CPUS;
            workers[t] = new Thread(() -> {
                Floor.pinThisThread(cpu);
                long made = 0;
                long acc = 0;
                try {
                    start.await();
                } catch (InterruptedException | BrokenBarrierException e) {
                    return;
                }
                long cpuStart = THREADS.getCurrentThreadCpuTime();
                while (!stop.get()) {
                    acc += batch.run(CHUNK);
                    made += CHUNK;
                }
                long end = System.nanoTime();
                cpuNanos.addAndGet(THREADS.getCurrentThreadCpuTime() - cpuStart);
                calls.addAndGet(made);
                consumed.addAndGet(acc);
                lastEnd.accumulateAndGet(end, Math::max);
            });
            workers[t].start();
        }
        try {
            start.await();
        } catch (BrokenBarrierException e) {
            throw new IllegalStateException(e);
        }
        long begin = System.nanoTime();
        Thread.sleep((long) (seconds * 1000));
        stop.set(true);
        for (Thread worker : workers) worker.join();
        sink += consumed.get();
        return new Rate(calls.get() / ((lastEnd.get() - begin) / 1e9), cpuNanos.get() / (double) calls.get());
    }

    // ---- Reporting and set-up ----

    private static String cell(Stats s) {
        return String.format("%7.1f [%6.1f - %6.1f]%s", s.median(), s.min(), s.max(), s.settled() ? "" : "*");
    }

    private static void printHeader() {
        var runtime = ManagementFactory.getRuntimeMXBean();
        System.out.println("JVelWeb bridge benchmark");
        System.out.println("CPU:      " + cpuModel() + ", " + CPUS
                + " processors available to the JVM");
        System.out.println("JVM:      " + runtime.getVmName() + " " + runtime.getVmVersion());
        System.out.println("JVM args: " + String.join(" ", runtime.getInputArguments()));
        List<String> collectors = new ArrayList<>();
        for (GarbageCollectorMXBean gc : ManagementFactory.getGarbageCollectorMXBeans()) collectors.add(gc.getName());
        System.out.println("GC:       " + String.join(", ", collectors));
        System.out.println("Plug-in:  bench plug-in (constant answers); floor = AddRef, each String read into a BSTR"
                + " (GetStringLength, GetStringRegion), one vtable call, NewString for a String result, Release;"
                + " JNA = Function.invokeInt on the vtable entry");
        System.out.println("Names:    \"" + EFFECT + "\" (" + EFFECT.length() + " chars), \"" + PARAMETER + "\"");
        System.out.println("Warm-up:  at least " + WARMUP + " s per case, until 5 short batches agree within 5%");
        System.out.println("CPU used: " + (CPU >= 0 ? "measuring thread bound to CPU " + CPU
                + "; throughput threads to CPU " + CPU + " and the next" : "not bound (bench.cpu)"));
        System.out.println("Load:     " + loadAverage() + " (other processes on the machine skew the figures)");
    }

    private static String cpuModel() {
        try {
            for (String line : Files.readAllLines(Path.of("/proc/cpuinfo"))) {
                if (line.startsWith("model name")) return line.substring(line.indexOf(':') + 1).trim();
            }
        } catch (IOException e) {
            // not on Linux: say nothing
        }
        return System.getProperty("os.arch");
    }

    /** The 1, 5 and 15 minute load averages of the machine. */
    static String loadAverage() {
        try {
            String[] fields = Files.readString(Path.of("/proc/loadavg")).trim().split(" ");
            return fields[0] + " " + fields[1] + " " + fields[2];
        } catch (IOException e) {
            return "unknown";
        }
    }

    static String findLibraryDirectory(String file) {
        for (String dir : System.getProperty("java.library.path").split(File.pathSeparator)) {
            File candidate = new File(dir, file);
            if (candidate.isFile()) return candidate.getAbsoluteFile().getParent();
        }
        throw new IllegalStateException(file + " is not in java.library.path");
    }

    private static void check(int hresult, String what) {
        if (hresult < 0) throw new IllegalStateException(what + " failed: 0x" + Integer.toHexString(hresult));
    }

    private BridgeBenchmark() {}
}
