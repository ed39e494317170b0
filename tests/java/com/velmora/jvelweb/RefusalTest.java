package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTimeoutPreemptively;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.Catalog.Change;
import com.velmora.jvelweb.Catalog.Kind;
import java.lang.reflect.Method;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Duration;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.stream.Collectors;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.EnumSource;

/** Refused calls give the failure value, leave the plug-in's last error, and change nothing. */
class RefusalTest extends PluginSession {

    /** Some other refusal first, so each check sees the error of the call under test. */
    private void resetLastErrorToInvalidArg() {
        assertEquals(-99, web.GetNumberOfEffects(2), "GetNumberOfEffects(2)");
    }

    /** Arguments for a call on {@code name} that only the name can make fail. */
    static Object[] argumentsFor(Method method, String name) {
        Class<?>[] types = method.getParameterTypes();
        Object[] arguments = new Object[types.length];
        arguments[0] = name;
        for (int i = 1; i < types.length; i++) {
            arguments[i] = types[i] == String.class ? (method.getName().startsWith("EffectSupports") ? "Gain" : "")
                    : method.getName().startsWith("Change") || method.getName().startsWith("StartEffect") ? 1 : 0;
        }
        return arguments;
    }

    @Test
    void unknownEffectFailsEveryCallOnIt() {
        assertTrue(web.MakeConstant("known"));
        List<String> wrong = new ArrayList<>();
        for (Method method : Natives.all()) {
            String name = method.getName();
            if (method.getParameterCount() == 0 || method.getParameterTypes()[0] != String.class
                    || name.startsWith("Make") || name.equals("OpenForceResource")) {
                continue;
            }
            resetLastErrorToInvalidArg();
            Object[] arguments = argumentsFor(method, "Known");
            Object result = Natives.invoke(web, method, arguments);
            int error = web.GetLastError();
            // An unknown name is a plain "no" to EffectExists, not an error.
            int expected = name.equals("EffectExists") ? Catalog.INVALIDARG : Catalog.UNKNOWN_EFFECT;
            if (!Natives.failureValue(method).equals(result) || error != expected) {
                wrong.add(Natives.describe(method, arguments) + " = " + Natives.show(result) + ", last error "
                        + Integer.toHexString(error));
            }
        }
        assertTrue(wrong.isEmpty(), wrong.size() + " calls on an unknown effect: " + wrong);
        assertEquals(1, web.GetNumberOfEffects(0), "effects after the refused calls");
    }

    @ParameterizedTest
    @EnumSource(Kind.class)
    void parametersTheKindLacksAreNotSupported(Kind kind) {
        assertTrue(kind.make(web, "it", 0));
        List<String> wrong = new ArrayList<>();
        for (Change change : Catalog.CHANGES.values()) {
            if (!change.supportedBy(kind)) {
                Object[] arguments = new Object[change.ranges.length() + 2];
                arguments[0] = "it";
                Arrays.fill(arguments, 1, arguments.length, 1);
                expectNotSupported(wrong, Natives.find(change.nativeName()), arguments);
            }
        }
        for (String query : Catalog.queries()) {
            if (!kind.parameters.contains(Catalog.parameterOfQuery(query))) {
                expectNotSupported(wrong, Natives.find("Get" + query), new Object[] {"it", 0});
            }
        }
        if (!kind.parameters.contains("InsideEffect")) {
            expectNotSupported(wrong, Natives.find("ChangeInsideEffect"), new Object[] {"it", 0, "it", 0});
        }
        assertTrue(wrong.isEmpty(), kind.typeName + ": " + wrong);
    }

    private void expectNotSupported(List<String> wrong, Method method, Object[] arguments) {
        resetLastErrorToInvalidArg();
        Object result = Natives.invoke(web, method, arguments);
        int error = web.GetLastError();
        if (!Natives.failureValue(method).equals(result) || error != Catalog.NOT_SUPPORTED) {
            wrong.add(Natives.describe(method, arguments) + " = " + result + ", last error "
                    + Integer.toHexString(error));
        }
    }

    /** Each bounded value just outside its range, all other values 1: refused, and nothing changes. */
    @Test
    void valuesOutOfRangeAreRefusedAndChangeNothing() {
        List<String> wrong = new ArrayList<>();
        for (Change change : Catalog.CHANGES.values()) {
            Kind kind = change.someKind();
            String name = change.name;
            assertTrue(kind.make(web, name, 0), kind.maker() + "(" + name + ")");
            String before = queriesOf(kind, name);
            for (int position = 0; position < change.ranges.length(); position++) {
                for (int outside : change.justOutside(position)) {
                    Object[] arguments = new Object[change.ranges.length() + 2];
                    Arrays.fill(arguments, 1);
                    arguments[0] = name;
                    arguments[position + 2] = outside;
                    Method method = Natives.find(change.nativeName());
                    assertEquals(-99, web.GetGain("", 0), "GetGain(\"\")");  // last error: UNKNOWN_EFFECT
                    Object result = Natives.invoke(web, method, arguments);
                    int error = web.GetLastError();
                    if (!Boolean.FALSE.equals(result) || error != Catalog.INVALIDARG) {
                        wrong.add(Natives.describe(method, arguments) + " = " + result + ", last error "
                                + Integer.toHexString(error));
                    }
                }
            }
            assertEquals(before, queriesOf(kind, name), "values after the refused " + change.nativeName());
        }
        assertFalse(web.ChangeDirection("Direction", 0, 0, 0), "ChangeDirection to the zero vector");
        assertLastError(Catalog.INVALIDARG, "ChangeDirection(0, 0)");
        assertEquals(10000, web.GetDirectionX("Direction", 0), "DirectionX after the zero vector");
        assertTrue(wrong.isEmpty(), wrong.size() + " values out of range: " + wrong);
    }

    private String queriesOf(Kind kind, String name) {
        return Catalog.queries().stream().filter(q -> kind.parameters.contains(Catalog.parameterOfQuery(q)))
                .map(q -> q + "=" + call("Get" + q, name, 0)).collect(Collectors.joining(" "));
    }

    @Test
    void creationRefusalsMakeNothing() {
        assertTrue(web.MakeSpring("taken", 2));
        assertFalse(web.MakeConstant("taken"), "MakeConstant under a taken name");
        assertLastError(Catalog.DUPLICATE_NAME, "MakeConstant(taken)");
        assertFalse(web.MakeSpring("taken", 1), "MakeSpring under a taken name");
        assertEquals("Spring", web.GetEffectTypeName("taken", 0), "the existing effect is kept");
        assertEquals(2, web.GetAxis("taken", 0), "the existing effect's axis");
        assertFalse(web.MakeEllipse(""), "MakeEllipse(\"\")");
        assertLastError(Catalog.INVALIDARG, "MakeEllipse(\"\")");
        assertFalse(web.MakeGrid("g", 3), "MakeGrid(g, 3)");
        assertFalse(web.MakeDamper("d", -1), "MakeDamper(d, -1)");
        assertFalse(web.MakePeriodic("p", 5), "MakePeriodic(p, 5)");
        assertLastError(Catalog.INVALIDARG, "MakePeriodic(p, 5)");
        assertEquals(1, web.GetNumberOfEffects(0), "effects after the refused creations");
    }

    @Test
    void playbackRefusalsChangeNothing() {
        assertTrue(web.MakeRamp("r"));
        for (int iterations : new int[] {0, -2}) {
            assertFalse(web.StartEffect("r", iterations), "StartEffect(r, " + iterations + ")");
            assertLastError(Catalog.INVALIDARG, "StartEffect(r, " + iterations + ")");
        }
        int[][] refused = {{0, 10, 10}, {1, -1, 10}, {1, 10, 10001}, {1, 10, -1}};
        for (int[] values : refused) {
            assertFalse(web.StartEffect2("r", values[0], values[1], values[2]),
                    "StartEffect2(r, " + values[0] + ", " + values[1] + ", " + values[2] + ")");
        }
        assertEquals(0, web.GetStartDelay("r", 0), "StartDelay after refused starts");
        assertEquals(10000, web.GetGain("r", 0), "Gain after refused starts");
        assertFalse(web.EffectExists("r", 1), "playing after refused starts");
        assertFalse(web.EffectExists("r", 2), "EffectExists(r, 2)");
        assertLastError(Catalog.INVALIDARG, "EffectExists(r, 2)");
        assertEquals("", web.GetNameOfEffect(0, 1), "GetNameOfEffect(0, 1) of one effect");
        assertEquals("", web.GetNameOfEffect(3, 0), "GetNameOfEffect(3, 0)");
        assertEquals(-99, web.GetNumberOfEffectsInCompound("r", 2), "GetNumberOfEffectsInCompound(r, 2)");
        assertEquals("", web.GetNameOfEffectInCompound("r", 0, 0), "member 0 of a ramp");
    }

    @Test
    void unsuitableInsideEffectsAreRefused() {
        openDemo();
        Object[][] refused = {
            {"pen", "nowhere", Catalog.UNKNOWN_EFFECT}, {"pen", "round well", Catalog.INVALIDARG},
            {"pen", "pen", Catalog.INVALIDARG}, {"pen", "push and buzz", Catalog.INVALIDARG},
            {"push", "syrup", Catalog.NOT_SUPPORTED}, {"push and buzz", "syrup", Catalog.NOT_SUPPORTED},
        };
        for (Object[] row : refused) {
            String what = "ChangeInsideEffect(" + row[0] + ", " + row[1] + ")";
            assertFalse(web.ChangeInsideEffect((String) row[0], 0, (String) row[1], 0), what);
            assertLastError((Integer) row[2], what);
        }
        assertEquals("syrup", web.GetNameOfEffectInCompound("pen", 0, 0), "pen's inside effect after refusals");
    }

    @Test
    void unknownParameterNamesAreRefused() {
        assertTrue(web.MakeConstant("c"));
        for (String parameter : new String[] {"Colour", "gain", "GetGain", "ChangeGain", "Gain ", ""}) {
            for (String question : new String[] {"EffectSupportsGet", "EffectSupportsChange"}) {
                assertFalse(web.MakeConstant("c"), "MakeConstant(c) again");  // last error: DUPLICATE_NAME
                assertEquals(false, call(question, "c", 0, parameter), question + "(c, \"" + parameter + "\")");
                assertLastError(Catalog.INVALIDARG, question + "(c, \"" + parameter + "\")");
            }
        }
    }

    @Test
    void unreadableAndFaultyResourcesLoadNothing(@TempDir Path temp) throws Exception {
        String missing = temp.resolve("missing.vel").toString();
        assertEquals(-99, web.OpenForceResource(missing), "OpenForceResource of a missing file");
        assertLastError(Catalog.UNREADABLE_RESOURCE, "OpenForceResource(missing)");
        assertEquals(-99, web.OpenForceResource(temp.toString()), "OpenForceResource of a directory");
        Path faulty = temp.resolve("faulty.vel");
        Files.write(faulty, List.of("effect fine Constant", "set fine Gain 500", "effect bad Sprong",
                "effect later Ramp"), StandardCharsets.UTF_8);
        assertEquals(-99, web.OpenForceResource(faulty.toString()), "OpenForceResource of a faulty file");
        assertLastError(Catalog.BAD_RESOURCE, "OpenForceResource(faulty)");
        Files.write(faulty, List.of("effect fine Constant", "set fine Gain 12000"), StandardCharsets.UTF_8);
        assertEquals(-99, web.OpenForceResource(faulty.toString()), "a file with a value out of range");
        assertLastError(Catalog.BAD_RESOURCE, "OpenForceResource(out of range)");
        assertEquals(0, web.GetNumberOfEffects(0), "effects after the refused files");
        assertFalse(web.EffectExists("fine", 0), "an effect of a refused file");
    }

    /** What is not a regular file of bounded size is refused at once: a FIFO would block, /dev/zero never end. */
    @Test
    void resourcesThatAreNotBoundedRegularFilesAreRefusedWithoutWaiting(@TempDir Path temp) throws Exception {
        Path demo = Path.of(Catalog.demoResource());
        Path fifo = temp.resolve("fifo.vel");
        assertEquals(0, new ProcessBuilder("mkfifo", fifo.toString()).start().waitFor(), "mkfifo");
        Path zero = Files.createSymbolicLink(temp.resolve("zero.vel"), Path.of("/dev/zero"));
        Path big = temp.resolve("big.vel");
        Files.write(big, new byte[4 * 1024 * 1024 + 1]);
        List<String> names = List.of(fifo.toString(), zero.toString(), "/dev/null", big.toString(), temp.toString(),
                demo + "\u0000/../../etc/passwd", demo + "\u0000");
        for (String name : names) {
            int loaded = assertTimeoutPreemptively(Duration.ofSeconds(10), () -> web.OpenForceResource(name),
                    "OpenForceResource(" + name + ")");
            assertEquals(-99, loaded, "OpenForceResource(" + name + ")");
            assertLastError(Catalog.UNREADABLE_RESOURCE, "OpenForceResource(" + name + ")");
        }
        assertEquals(0, web.GetNumberOfEffects(0), "effects after the refused files");
    }
}
