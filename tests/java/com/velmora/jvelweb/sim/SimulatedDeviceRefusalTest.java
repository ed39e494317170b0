package com.velmora.jvelweb.sim;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.JVelWeb;
import java.io.IOException;
import java.io.RandomAccessFile;
import java.io.UncheckedIOException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.Map;
import java.util.TreeSet;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.function.Executable;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/**
 * What SimulatedDevice refuses, and that it refuses before anything changes:
 * every method without a plug-in, and bad arguments and files, which are
 * checked before the device is reached, so they fail the same with or without
 * a plug-in.
 */
class SimulatedDeviceRefusalTest {
    private final JVelWeb web = new JVelWeb();
    @TempDir Path folder;

    @AfterEach
    void release() {
        web._jni_delete();
    }

    /** Every public method but isSimulated, called with good arguments, by its signature. */
    private Map<String, Executable> everyCall() throws IOException {
        Path path = Files.writeString(folder.resolve("path.csv"), "0,10,20\n");
        Map<String, Executable> calls = new LinkedHashMap<>();
        calls.put("useManualClock()", SimulatedDevice::useManualClock);
        calls.put("useRealClock()", SimulatedDevice::useRealClock);
        calls.put("advance(long)", () -> SimulatedDevice.advance(0));
        calls.put("millis()", SimulatedDevice::millis);
        calls.put("moveHand(int,int)", () -> SimulatedDevice.moveHand(1, 2));
        calls.put("followPath(Path)", () -> SimulatedDevice.followPath(path));
        calls.put("useCircleHand()", SimulatedDevice::useCircleHand);
        calls.put("force()", SimulatedDevice::force);
        calls.put("forceX()", SimulatedDevice::forceX);
        calls.put("forceY()", SimulatedDevice::forceY);
        calls.put("force(String)", () -> SimulatedDevice.force("e"));
        calls.put("forceX(String)", () -> SimulatedDevice.forceX("e"));
        calls.put("forceY(String)", () -> SimulatedDevice.forceY("e"));
        calls.put("forceAt(int,int)", () -> SimulatedDevice.forceAt(1, 2));
        calls.put("record(Path)", () -> SimulatedDevice.record(folder.resolve("recording.csv")));
        calls.put("stopRecording()", SimulatedDevice::stopRecording);
        return calls;
    }

    @Test
    void withoutPluginEveryMethodButIsSimulatedThrowsIllegalStateNamingTheCause() throws IOException {
        Map<String, Executable> calls = everyCall();
        // A method added to the class must join the table.
        TreeSet<String> declared = Arrays.stream(SimulatedDevice.class.getDeclaredMethods())
                .filter(m -> Modifier.isPublic(m.getModifiers()) && !m.getName().equals("isSimulated"))
                .map(SimulatedDeviceRefusalTest::signature)
                .collect(Collectors.toCollection(TreeSet::new));
        assertEquals(declared, new TreeSet<>(calls.keySet()));

        assertEquals(0, web._jni_initialize(0));
        assertTrue(SimulatedDevice.isSimulated());
        assertEquals(0, web._jni_delete());
        assertFalse(SimulatedDevice.isSimulated());
        calls.forEach((name, call) -> {
            IllegalStateException thrown = assertThrows(IllegalStateException.class, call, name);
            String operation = name.substring(0, name.indexOf('(')).replaceAll("[XY]$", "");
            assertEquals("SimulatedDevice." + operation + ": no plug-in is held; call JVelWeb._jni_initialize first",
                    thrown.getMessage());
        });
        assertFalse(Files.exists(folder.resolve("recording.csv")), "a refused record made its file");
    }

    private static String signature(Method method) {
        return method.getName() + Arrays.stream(method.getParameterTypes()).map(Class::getSimpleName)
                .collect(Collectors.joining(",", "(", ")"));
    }

    /** A bad hand path: its file's bytes (null: made by the test), the exception, and what its message says. */
    static Stream<Arguments> badPaths() {
        return Stream.of(
                Arguments.of("missing", null, UncheckedIOException.class, "missing.csv does not exist"),
                Arguments.of("directory", null, UncheckedIOException.class, "directory.csv is not a regular file"),
                Arguments.of("too large", null, IllegalArgumentException.class,
                        "has 8388609 bytes or more; the limit is 8388608"),
                Arguments.of("not UTF-8", "0,1,\u00ff\n", IllegalArgumentException.class, "is not UTF-8 text"),
                Arguments.of("no point", "# nothing\n\n   \n", IllegalArgumentException.class, "has no point"),
                Arguments.of("two fields", "0,1,2\n5,1\n", IllegalArgumentException.class,
                        "line 2 has 2 fields, not 3 (time ms, x, y): 5,1"),
                Arguments.of("four fields", "0,1,2,3\n", IllegalArgumentException.class, "line 1 has 4 fields"),
                Arguments.of("a word", "0,1,2\r\n5,x,3\r\n", IllegalArgumentException.class,
                        "line 2 has x \"x\", not a whole number of pixels in int range: 5,x,3"),
                Arguments.of("a fraction", "0,1.5,2\n", IllegalArgumentException.class, "line 1 has x \"1.5\""),
                Arguments.of("an empty field", "0,,2\n", IllegalArgumentException.class, "line 1 has x \"\""),
                Arguments.of("time past int", "2147483648,0,0\n", IllegalArgumentException.class,
                        "line 1 has time \"2147483648\", not a whole number of ms in int range"),
                Arguments.of("negative time", "-1,0,0\n", IllegalArgumentException.class,
                        "line 1 has a negative time"),
                Arguments.of("time going back", "# t\ntime_ms,x,y\n10,0,0\n10,1,1\n9,0,0\n",
                        IllegalArgumentException.class, "line 5 goes back in time: 9 ms after 10 ms: 9,0,0"),
                Arguments.of("header not first", "0,0,0\ntime,x,y\n", IllegalArgumentException.class,
                        "line 2 has time \"time\""));
    }

    @ParameterizedTest(name = "{0}")
    @MethodSource("badPaths")
    void badHandPathIsRefusedWithOrWithoutPlugin(String what, String text, Class<? extends RuntimeException> expected,
            String says) throws IOException {
        Path file = folder.resolve(what.equals("directory") ? "directory.csv" : what.equals("missing") ? "missing.csv" : "path.csv");
        if (what.equals("directory")) {
            Files.createDirectory(file);
        } else if (what.equals("too large")) {
            try (RandomAccessFile sparse = new RandomAccessFile(file.toFile(), "rw")) {
                sparse.setLength(SimulatedDevice.MAX_PATH_FILE_BYTES + 1);
            }
        } else if (text != null) {
            // Latin-1 bytes: \u00ff is the lone byte FF, never UTF-8.
            Files.write(file, text.getBytes(StandardCharsets.ISO_8859_1));
        }
        for (boolean held : new boolean[] {false, true}) {
            if (held) assertEquals(0, web._jni_initialize(0));
            RuntimeException thrown = assertThrows(expected, () -> SimulatedDevice.followPath(file), what);
            assertTrue(thrown.getMessage().contains(says), what + ": " + thrown.getMessage());
            assertTrue(thrown.getMessage().contains(file.toString()), what + ": " + thrown.getMessage());
        }
    }

    @Test
    void aGoodPathPassesItsChecksAndReachesTheDevice() throws IOException {
        // A byte-order mark, header, comments, blank lines, spaces, CRLF, a sign and repeated times are all accepted.
        Path file = Files.writeString(folder.resolve("good.csv"),
                "\uFEFF\n# a stroke\r\n time_ms , x , y \r\n0, 10, +20\r\n\r\n5,-3,20\n5 ,7, 8\n# end");
        IllegalStateException thrown = assertThrows(IllegalStateException.class, () -> SimulatedDevice.followPath(file));
        assertTrue(thrown.getMessage().contains("no plug-in is held"), thrown.getMessage());
    }

    @Test
    void nullAndNegativeArgumentsAreRefusedFirst() {
        assertEquals(0, web._jni_initialize(0));
        assertThrows(NullPointerException.class, () -> SimulatedDevice.followPath(null));
        assertThrows(NullPointerException.class, () -> SimulatedDevice.record(null));
        assertThrows(NullPointerException.class, () -> SimulatedDevice.force(null));
        assertThrows(NullPointerException.class, () -> SimulatedDevice.forceX(null));
        for (long millis : new long[] {-1, Long.MIN_VALUE}) {
            IllegalArgumentException thrown = assertThrows(IllegalArgumentException.class, () -> SimulatedDevice.advance(millis));
            assertEquals("SimulatedDevice.advance: " + millis + " ms is negative", thrown.getMessage());
        }
    }
}
