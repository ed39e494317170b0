package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.concurrent.CompletableFuture;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The failure reports of the default library with its trace switched on at
 * run time, read from a child JVM (the switch is read once, when the library
 * loads): six lines per refused call, with the simulator's source and
 * description, then one naming the method; one line naming the fix for a
 * call without a plug-in; nothing for successes or null Strings. Also what the child's failure record says where only a child can
 * show it: another HOME, a JVM out of memory.
 */
class RefusalTraceTest {
    private static final String SOURCE = "VelWeb Simulator";

    static final class Run {
        final List<String> stdout;
        final List<String> stderr;

        Run(List<String> stdout, List<String> stderr) {
            this.stdout = stdout;
            this.stderr = stderr;
        }
    }

    /** A child tracing to stderr, switched on by the system property. */
    static Run probe(Path home, String... args) throws Exception {
        return probe(home, Map.of(), List.of("-Djvelweb.trace=stderr"), args);
    }

    static Run probe(Path home, Map<String, String> environment, List<String> options, String... args)
            throws Exception {
        List<String> command = new ArrayList<>(List.of(System.getProperty("java.home") + "/bin/java", "-Xcheck:jni",
                "--enable-native-access=ALL-UNNAMED",
                "-Djava.library.path=" + System.getProperty("java.library.path")));
        command.addAll(options);
        command.addAll(List.of("-cp", System.getProperty("jvelweb.classPath"), TraceProbe.class.getName()));
        command.addAll(Arrays.asList(args));
        ProcessBuilder builder = new ProcessBuilder(command);
        builder.environment().remove("JVELWEB_TRACE");
        builder.environment().putAll(environment);
        if (home != null) {
            builder.environment().put("HOME", home.toString());
        }
        Process process = builder.start();
        CompletableFuture<String> out = CompletableFuture.supplyAsync(() -> read(process.getInputStream()));
        String err = read(process.getErrorStream());
        int exit = process.waitFor();
        List<String> stderr = lines(err);
        assertEquals(0, exit, "child exit; stderr: " + stderr);
        return new Run(lines(out.get()), stderr);
    }

    private static String read(InputStream stream) {
        try (InputStream in = stream; ByteArrayOutputStream bytes = new ByteArrayOutputStream()) {
            in.transferTo(bytes);
            return bytes.toString(StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    private static List<String> lines(String text) {
        // Every line ends in a line feed: the text after the last one is empty.
        List<String> lines = Arrays.asList(text.split("\n", -1));
        return lines.subList(0, lines.size() - 1);
    }

    /** The six lines of a report, then the line naming the method with the record's description. */
    static List<String> report(String method, String hresult, String message, String source, String description) {
        return List.of(" ", "JVelWeb COM Exception:", hresult, message, source, description,
                "JVelWeb: " + method + " failed: " + description);
    }

    static String noPlugin(String method) {
        return "JVelWeb: " + method + " called with no plug-in held; call _jni_initialize first";
    }

    @Test
    void unknownEffectOnAQueryIsReportedWithTheSimulatorsDescription() throws Exception {
        Run run = probe(null, "query");
        assertEquals(List.of("0", "-99", "0"), run.stdout);
        assertEquals(report("GetGain", "80040a01", "IDispatch error #2049", SOURCE, "No effect named 'nowhere'"),
                run.stderr);
    }

    static final List<String> QUERY_REPORT =
            report("GetGain", "80040a01", "IDispatch error #2049", SOURCE, "No effect named 'nowhere'");

    @Test
    void theVariableSwitchesTheTraceOnAndThePropertyWinsOverIt() throws Exception {
        Run run = probe(null, Map.of("JVELWEB_TRACE", "stderr"), List.of(), "query");
        assertEquals(List.of("0", "-99", "0"), run.stdout);
        assertEquals(QUERY_REPORT, run.stderr);
        assertEquals(List.of(), probe(null, Map.of("JVELWEB_TRACE", "stderr"), List.of("-Djvelweb.trace=off"),
                "query").stderr, "off");
        assertEquals(List.of(), probe(null, Map.of(), List.of(), "query").stderr, "discarded by default");
        // The keywords in any case: STDERR is stderr, not a file of that name.
        assertEquals(QUERY_REPORT, probe(null, Map.of(), List.of("-Djvelweb.trace=STDERR"), "query").stderr);
        assertTrue(Files.notExists(Path.of("STDERR")), "a file named STDERR was made");
        assertEquals(List.of(), probe(null, Map.of("JVELWEB_TRACE", "stderr"), List.of("-Djvelweb.trace=Off"),
                "query").stderr, "Off");
    }

    @Test
    void aTraceFileIsAppendedToAndOneThatCannotBeOpenedFallsBackToStderr(@TempDir Path temp) throws Exception {
        Path file = temp.resolve("trace.log");
        for (int run = 1; run <= 2; run++) {
            assertEquals(List.of(), probe(null, Map.of("JVELWEB_TRACE", file.toString()), List.of(), "query").stderr);
            List<String> expected = new ArrayList<>();
            for (int i = 0; i < run; i++) {
                expected.addAll(QUERY_REPORT);
            }
            assertEquals(expected, Files.readAllLines(file, StandardCharsets.UTF_8), "after run " + run);
        }
        Path unopenable = temp.resolve("no such directory").resolve("trace.log");
        Run run = probe(null, Map.of(), List.of("-Djvelweb.trace=" + unopenable), "query");
        assertEquals(List.of("0", "-99", "0"), run.stdout, "the calls go on");
        assertEquals(8, run.stderr.size(), "stderr " + run.stderr);
        assertTrue(run.stderr.get(0).startsWith("JVelWeb: cannot open the trace file " + unopenable),
                run.stderr.get(0));
        assertEquals(QUERY_REPORT, run.stderr.subList(1, 8));
    }

    /** Failures on eight threads at once: every line is one of the report's, whole. */
    @Test
    void concurrentReportsNeverMixWithinALine() throws Exception {
        Run run = probe(null, "threads");
        assertEquals(List.of("0", "0"), run.stdout);
        assertEquals(8 * 50 * 7, run.stderr.size());
        for (String line : run.stderr) {
            assertTrue(line.equals(" ") || line.equals("JVelWeb COM Exception:") || line.equals("80040a01")
                    || line.equals("IDispatch error #2049") || line.equals(SOURCE)
                    || line.matches("(JVelWeb: GetGain failed: )?No effect named 'thread [0-7] call [0-9]+'"), line);
        }
    }

    @Test
    void aJvmOutOfMemoryForAStringResultIsRecorded() throws Exception {
        Run run = probe(null, Map.of(), List.of("-Xmx32m"), "oom");
        assertEquals(List.of("OutOfMemoryError", "GetPluginVersion OUT_OF_MEMORY 8007000e"), run.stdout,
                "stderr " + run.stderr);
    }

    @Test
    void refusedCreationsAreReportedOncePerRefusal() throws Exception {
        Run run = probe(null, "creation");
        assertEquals(List.of("0", "true", "false", "false", "0"), run.stdout);
        List<String> expected = new ArrayList<>(report("MakeConstant", "80040a02", "IDispatch error #2050", SOURCE,
                "An effect named 'twice' already exists"));
        expected.addAll(report("MakePeriodic", "80070057", "The parameter is incorrect.", SOURCE,
                "Waveform must be between 0 and 4, not 9"));
        assertEquals(expected, run.stderr);
    }

    @Test
    void unreadableResourceIsReportedWithItsPath(@TempDir Path temp) throws Exception {
        String path = temp.resolve("absent.vel").toString();
        Run run = probe(null, "resource", path);
        assertEquals(List.of("0", "-99", "0"), run.stdout);
        assertEquals(report("OpenForceResource", "80040a05", "IDispatch error #2053", SOURCE, "Resource '" + path + "' cannot be read"),
                run.stderr);
    }

    /** Successes and null Strings trace nothing; each call without a plug-in, one line naming the fix. */
    @Test
    void successesAndNullStringsTraceNothingCallsWithoutPluginNameTheFix() throws Exception {
        Run run = probe(null, "quiet", Catalog.demoResource());
        assertEquals(List.of("0", "-1", "12", "10000", "push and buzz", "true", "-99", "false", "false", "", "0",
                "-99", "false", "", "0"), run.stdout);
        assertEquals(List.of(noPlugin("GetGain"), noPlugin("MakeConstant"), noPlugin("GetDeviceProductName")),
                run.stderr, "stderr");
    }

    /**
     * Line breaks and other control characters in an effect name reach the
     * trace escaped: the refusal is its seven lines, not a forged report.
     */
    @Test
    void controlCharactersInANameCannotForgeTraceLines() throws Exception {
        Run run = probe(null, "forge");
        assertEquals(List.of("0", "true", "false", "the record keeps the exact text", "0"), run.stdout);
        String escaped = "x\\nJVelWeb COM Exception:\\n80004005\\u001B[2J\\u0085";
        assertEquals(report("MakeConstant", "80040a02", "IDispatch error #2050", SOURCE,
                "An effect named '" + escaped + "' already exists"), run.stderr);
    }

    /**
     * A per-user registration of a module the loader cannot load (a file that
     * is no shared object): acquisition fails and says so; the report shows no
     * error information, the failure record names the module path and the
     * loader's own reason.
     */
    @Test
    void failedAcquisitionIsReportedAndTheRecordNamesTheModulePath(@TempDir Path home) throws Exception {
        Path classes = Files.createDirectories(home.resolve(".jvelcom/classes"));
        Path module = Files.writeString(home.resolve("not-a-module.so"), "not a shared object\n".repeat(16));
        Files.writeString(classes.resolve("{18B46DCC-AD84-47A3-8974-433DC96BACB6}"), module + "\n");
        Run run = probe(home, "unregistered");
        assertEquals(List.of("-1", "-99", "", "0"), run.stdout);
        assertEquals(10, run.stderr.size(), "stderr " + run.stderr);
        assertEquals(List.of("Could not acquire VelWeb plugin!", " ", "JVelWeb COM Exception:", "8007007e",
                "The specified module could not be found.", "(null)", "(null)"), run.stderr.subList(0, 7));
        // The line after the report names the method and carries the record's
        // description: the class, the module tried and the loader's reason.
        String named = run.stderr.get(7);
        assertTrue(named.startsWith("JVelWeb: _jni_initialize failed: ") && named.contains(module.toString())
                && named.contains("invalid ELF header")
                && named.contains("{18B46DCC-AD84-47A3-8974-433DC96BACB6}"), named);
        assertEquals(List.of(noPlugin("GetGain"), noPlugin("GetPluginVersion")), run.stderr.subList(8, 10));

        run = probe(home, "broken");
        assertEquals(4, run.stdout.size(), "stdout " + run.stdout);
        assertEquals(List.of("-1", "_jni_initialize COM_ERROR 8007007e", "jvelcom"), run.stdout.subList(0, 3));
        String description = run.stdout.get(3);
        assertTrue(description.contains("{18B46DCC-AD84-47A3-8974-433DC96BACB6}"), description);
        assertTrue(description.contains(module.toString()), description);
        assertTrue(description.contains("invalid ELF header"), description);
    }
}
