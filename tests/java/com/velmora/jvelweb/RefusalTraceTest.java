package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;

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
import java.util.concurrent.CompletableFuture;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The failure reports of the library built to trace to stderr, read from a
 * child JVM (one library per process): six lines per refused call, with the
 * simulator's source and description; nothing for successes, null Strings
 * or calls without a plug-in.
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

    static Run probe(Path home, String... args) throws Exception {
        List<String> command = new ArrayList<>(List.of(System.getProperty("java.home") + "/bin/java", "-Xcheck:jni",
                "--enable-native-access=ALL-UNNAMED",
                "-Djava.library.path=" + System.getProperty("jvelweb.tracedLibraryPath"),
                "-cp", System.getProperty("jvelweb.classPath"), TraceProbe.class.getName()));
        command.addAll(Arrays.asList(args));
        ProcessBuilder builder = new ProcessBuilder(command);
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

    static List<String> report(String hresult, String message, String source, String description) {
        return List.of(" ", "JVelWeb COM Exception:", hresult, message, source, description);
    }

    @Test
    void unknownEffectOnAQueryIsReportedWithTheSimulatorsDescription() throws Exception {
        Run run = probe(null, "query");
        assertEquals(List.of("0", "-99", "0"), run.stdout);
        assertEquals(report("80040a01", "IDispatch error #2049", SOURCE, "No effect named 'nowhere'"), run.stderr);
    }

    @Test
    void refusedCreationsAreReportedOncePerRefusal() throws Exception {
        Run run = probe(null, "creation");
        assertEquals(List.of("0", "true", "false", "false", "0"), run.stdout);
        List<String> expected = new ArrayList<>(report("80040a02", "IDispatch error #2050", SOURCE,
                "An effect named 'twice' already exists"));
        expected.addAll(report("80070057", "The parameter is incorrect.", SOURCE,
                "Waveform must be between 0 and 4, not 9"));
        assertEquals(expected, run.stderr);
    }

    @Test
    void unreadableResourceIsReportedWithItsPath(@TempDir Path temp) throws Exception {
        String path = temp.resolve("absent.vel").toString();
        Run run = probe(null, "resource", path);
        assertEquals(List.of("0", "-99", "0"), run.stdout);
        assertEquals(report("80040a05", "IDispatch error #2053", SOURCE, "Resource '" + path + "' cannot be read"),
                run.stderr);
    }

    @Test
    void successesNullStringsAndCallsWithoutPluginTraceNothing() throws Exception {
        Run run = probe(null, "quiet", Catalog.demoResource());
        assertEquals(List.of("0", "-1", "12", "10000", "push and buzz", "true", "-99", "false", "false", "", "0",
                "-99", "false", "", "0"), run.stdout);
        assertEquals(List.of(), run.stderr, "stderr");
    }

    /** A per-user registration of a module that is not there: acquisition fails and says so. */
    @Test
    void failedAcquisitionIsReported(@TempDir Path home) throws Exception {
        Path classes = Files.createDirectories(home.resolve(".jvelcom/classes"));
        Files.writeString(classes.resolve("{18B46DCC-AD84-47A3-8974-433DC96BACB6}"),
                home.resolve("no-such-module.so") + "\n");
        Run run = probe(home, "unregistered");
        assertEquals(List.of("-1", "-99", "", "0"), run.stdout);
        assertEquals(7, run.stderr.size(), "stderr " + run.stderr);
        assertEquals(List.of("Could not acquire VelWeb plugin!", " ", "JVelWeb COM Exception:"),
                run.stderr.subList(0, 3), "stderr " + run.stderr);
        assertEquals(List.of("(null)", "(null)"), run.stderr.subList(5, 7), "no error information: " + run.stderr);
    }
}
