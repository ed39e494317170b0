package com.velmora.jvelweb.bench;

import com.velmora.jvelweb.JVelWeb;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.List;
import java.util.stream.Stream;

/**
 * What a program pays to start with JVelWeb: child JVMs that load the library,
 * acquire the simulated plug-in, make one call and release it. Each run
 * prints three figures, each the time from main() until the library is loaded
 * (the first use of JVelWeb) and the whole process's wall time:
 * <ul>
 *   <li>cold: only the jar on the class path, an empty cache folder (the
 *       natives are extracted);</li>
 *   <li>warm: the same again, with the folder the cold start left;</li>
 *   <li>java.library.path: the classes without natives, and the build's
 *       {@code lib} on {@code -Djava.library.path}.</li>
 * </ul>
 * It prints figures and asserts nothing. Settings (system properties):
 * startup.jar, startup.classesJar, startup.libraryDirectory, startup.runs (7).
 */
public final class StartupBenchmark {
    private StartupBenchmark() {}

    /** In the child: what the user program does, timed. */
    static final class Probe {
        public static void main(String[] args) {
            long start = System.nanoTime();
            JVelWeb web = new JVelWeb();
            long loaded = System.nanoTime();
            if (web._jni_initialize(0) != 0) throw new IllegalStateException("_jni_initialize failed");
            String version = web.GetPluginVersion();
            web._jni_delete();
            if (version.isEmpty()) throw new IllegalStateException("no plug-in version");
            System.out.println((loaded - start) / 1e6);
        }
    }

    record Figure(double loadMs, double processMs) {}

    public static void main(String[] args) throws Exception {
        String jar = System.getProperty("startup.jar");
        String classesJar = System.getProperty("startup.classesJar");
        String libraryDirectory = System.getProperty("startup.libraryDirectory");
        int runs = Integer.getInteger("startup.runs", 7);
        String benchJar = StartupBenchmark.class.getProtectionDomain().getCodeSource().getLocation().getPath();
        List<List<Figure>> figures = List.of(new ArrayList<>(), new ArrayList<>(), new ArrayList<>());
        System.out.println("run   cold load (process)    warm load (process)    java.library.path load (process), ms");
        for (int run = 1; run <= runs; run++) {
            Path cache = Files.createTempDirectory("jvelweb-startup-cache-");
            try {
                Figure cold = child(cache, jar + ":" + benchJar);
                Figure warm = child(cache, jar + ":" + benchJar);
                Figure path = child(cache, classesJar + ":" + benchJar, "-Djava.library.path=" + libraryDirectory);
                figures.get(0).add(cold);
                figures.get(1).add(warm);
                figures.get(2).add(path);
                System.out.printf("%3d   %8.1f (%6.1f)      %8.1f (%6.1f)      %8.1f (%6.1f)%n", run, cold.loadMs,
                        cold.processMs, warm.loadMs, warm.processMs, path.loadMs, path.processMs);
            } finally {
                delete(cache);
            }
        }
        System.out.printf("median%8.1f (%6.1f)      %8.1f (%6.1f)      %8.1f (%6.1f)%n", median(figures.get(0), true),
                median(figures.get(0), false), median(figures.get(1), true), median(figures.get(1), false),
                median(figures.get(2), true), median(figures.get(2), false));
        System.out.printf("warm - java.library.path, median of the runs' differences: %.1f ms%n",
                medianDifference(figures.get(1), figures.get(2)));
    }

    /** One child JVM with a HOME and cache of the run's own, so the cold start finds nothing. */
    private static Figure child(Path cache, String classPath, String... options) throws IOException, InterruptedException {
        List<String> command = new ArrayList<>(List.of(System.getProperty("java.home") + "/bin/java",
                "--enable-native-access=ALL-UNNAMED"));
        command.addAll(Arrays.asList(options));
        command.addAll(List.of("-cp", classPath, Probe.class.getName()));
        ProcessBuilder builder = new ProcessBuilder(command).redirectError(ProcessBuilder.Redirect.INHERIT);
        builder.environment().clear();
        builder.environment().put("PATH", "/usr/bin:/bin");
        builder.environment().put("HOME", cache.toString());
        builder.environment().put("XDG_CACHE_HOME", cache.resolve("cache").toString());
        long start = System.nanoTime();
        Process process = builder.start();
        String out = new String(process.getInputStream().readAllBytes(), StandardCharsets.UTF_8).trim();
        int exit = process.waitFor();
        double processMs = (System.nanoTime() - start) / 1e6;
        if (exit != 0) throw new IllegalStateException("the child failed (exit " + exit + "): " + out);
        return new Figure(Double.parseDouble(out), processMs);
    }

    private static double median(List<Figure> figures, boolean load) {
        double[] values = figures.stream().mapToDouble(f -> load ? f.loadMs : f.processMs).sorted().toArray();
        return values[values.length / 2];
    }

    private static double medianDifference(List<Figure> warm, List<Figure> path) {
        double[] values = new double[warm.size()];
        for (int i = 0; i < values.length; i++) values[i] = warm.get(i).loadMs - path.get(i).loadMs;
        Arrays.sort(values);
        return values[values.length / 2];
    }

    private static void delete(Path folder) throws IOException {
        try (Stream<Path> paths = Files.walk(folder)) {
            for (Path path : paths.sorted(Comparator.reverseOrder()).toList()) Files.delete(path);
        }
    }
}
