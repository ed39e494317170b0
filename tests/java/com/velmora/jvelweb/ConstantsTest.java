package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.JVelWebConstants.Apply;
import com.velmora.jvelweb.JVelWebConstants.Axis;
import com.velmora.jvelweb.JVelWebConstants.Iterations;
import com.velmora.jvelweb.JVelWebConstants.Selector;
import com.velmora.jvelweb.JVelWebConstants.SimulatorError;
import com.velmora.jvelweb.JVelWebConstants.Wall;
import com.velmora.jvelweb.JVelWebConstants.Waveform;
import java.io.IOException;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.function.IntFunction;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/** Every constant of JVelWebConstants against what the simulated plug-in makes of its value. */
class ConstantsTest extends PluginSession {
    /** Codes no call of JVelWeb can provoke in the simulated plug-in. */
    static final Set<String> UNREACHABLE = Set.of("SimulatorError.NULL_POINTER", "SimulatorError.NOT_IMPLEMENTED",
            "SimulatorError.OUT_OF_MEMORY", "SimulatorError.UNEXPECTED");

    /** What the plug-in reports for a constant, where it tells one constant of a group from another. */
    static final Map<String, String> OBSERVED = Map.of(
            "Selector.ALL", "2 true still", "Selector.PLAYING", "1 false moving",
            "Angle.UP", "0 -10000", "Angle.RIGHT", "10000 0", "Angle.DOWN", "0 10000", "Angle.LEFT", "-10000 0");

    @TempDir
    Path files;

    /** "Group.NAME" and the value of every public constant, read reflectively so none is missed. */
    static Stream<Arguments> constants() throws IllegalAccessException {
        Stream.Builder<Arguments> all = Stream.builder();
        for (Class<?> group : JVelWebConstants.class.getClasses()) {
            for (Field field : group.getFields()) {
                int modifiers = field.getModifiers();
                assertTrue(Modifier.isStatic(modifiers) && Modifier.isFinal(modifiers), field.getName());
                String name = group.getSimpleName() + "." + field.getName();
                if (!UNREACHABLE.contains(name)) {
                    all.add(Arguments.of(name, field.get(null)));
                }
            }
        }
        return all.build();
    }

    @ParameterizedTest(name = "{0} = {1}")
    @MethodSource("constants")
    void theSimulatedPluginGivesTheConstantItsMeaning(String constant, Object value) throws IOException {
        int v = value instanceof Integer ? (Integer) value : 0;
        switch (constant.substring(0, constant.indexOf('.'))) {
            case "EffectKind":
                String name = value.equals(JVelWebConstants.EffectKind.COMPOUND) ? "push and buzz" : "made";
                if (name.equals("made")) {
                    assertTrue(Catalog.Kind.named((String) value).make(web, name, 0), "Make" + value);
                } else {
                    openDemo();
                }
                assertEquals(value, web.GetEffectTypeName(name, 0));
                return;
            case "Axis":
                for (Catalog.Kind kind : Catalog.Kind.values()) {
                    if (kind.parameters.contains("Axis")) {
                        assertTrue(kind.make(web, kind.typeName, v), kind.maker());
                        assertEquals(v, web.GetAxis(kind.typeName, 0), kind.typeName);
                    }
                }
                return;
            case "Waveform":
                assertTrue(web.MakePeriodic("wave", v));
                assertEquals(v, web.GetWaveform("wave", 0));
                return;
            case "Selector":
                assertTrue(web.MakeConstant("still") && web.MakeConstant("moving") && web.StartEffect("moving", 1));
                assertEquals(OBSERVED.get(constant), web.GetNumberOfEffects(v) + " " + web.EffectExists("still", v)
                        + " " + web.GetNameOfEffect(v, 0));
                return;
            case "Angle":
                assertTrue(web.MakeConstant("push") && web.ChangeDirectionPolar("push", Apply.NOW, v));
                assertEquals(OBSERVED.get(constant), web.GetDirectionX("push", 0) + " " + web.GetDirectionY("push", 0));
                return;
            case "Apply":
                assertTrue(web.MakeConstant("push") && web.ChangeGain("push", v, 1234), "ChangeGain with " + v);
                assertEquals(1234, web.GetGain("push", 0), "the change shows at once");
                return;
            case "Iterations":
                assertTrue(web.MakeConstant("push") && web.StartEffect("push", v));
                assertTrue(web.EffectExists("push", Selector.PLAYING));
                assertEquals(false, web.StartEffect("push", v - 1), "one count below " + constant);
                assertLastError(SimulatorError.INVALID_ARGUMENT, "StartEffect(push, " + (v - 1) + ")");
                return;
            case "Wall":
                assertTrue(web.MakeEnclosure("box") && web.ChangeClippingMask("box", 0, v)
                        && web.ChangeStiffnessMask("box", 0, v));
                assertEquals(v + " " + v, web.GetClippingMask("box", 0) + " " + web.GetStiffnessMask("box", 0));
                assertEquals(false, web.ChangeClippingMask("box", 0, v | (Wall.ALL + 1)), "a bit beyond the walls");
                return;
            case "Level":
                assertTrue(web.MakeConstant("push"));
                assertEquals(v, web.GetGain("push", 0), "a new effect's gain");
                assertEquals(false, web.ChangeGain("push", 0, v + 1));
                assertLastError(SimulatorError.INVALID_ARGUMENT, "ChangeGain above " + constant);
                return;
            case "SimulatorError":
                provoke(constant);
                assertLastError(v, "provoking " + constant);
                return;
            default:
                throw new AssertionError("no check for " + constant);
        }
    }

    /** A refused call that should leave the error code named. */
    private void provoke(String error) throws IOException {
        switch (error) {
            case "SimulatorError.UNKNOWN_EFFECT":
                assertEquals(false, web.StartEffect("nobody", 1));
                return;
            case "SimulatorError.DUPLICATE_NAME":
                assertEquals(List.of(true, false), List.of(web.MakeConstant("twice"), web.MakeConstant("twice")));
                return;
            case "SimulatorError.NOT_SUPPORTED":
                assertTrue(web.MakeSpring("spring", Axis.BOTH));
                assertEquals(-99, web.GetStiffness("spring", 0), "a Spring has no stiffness");
                return;
            case "SimulatorError.BAD_RESOURCE":
                Path bad = Files.writeString(files.resolve("bad.vel"), "effect x Sprong\n");
                assertEquals(-99, web.OpenForceResource(bad.toString()));
                return;
            case "SimulatorError.UNREADABLE_RESOURCE":
                assertEquals(-99, web.OpenForceResource(files.resolve("missing.vel").toString()));
                return;
            case "SimulatorError.INVALID_ARGUMENT":
                assertEquals(false, web.MakeSpring("spring", 3));
                return;
            default:
                throw new AssertionError("no way to provoke " + error);
        }
    }

    /** Axis, Waveform and Selector name exactly the values the plug-in accepts: one beyond either end is refused. */
    @Test
    void theGroupsCoverTheAcceptedValues() throws IllegalAccessException {
        Map<Class<?>, IntFunction<Object>> calls = Map.of(
                Axis.class, v -> web.MakeSpring("s" + v, v),
                Waveform.class, v -> web.MakePeriodic("w" + v, v),
                Selector.class, v -> web.GetNumberOfEffects(v) >= 0);
        for (Map.Entry<Class<?>, IntFunction<Object>> group : calls.entrySet()) {
            int[] values = new int[group.getKey().getFields().length];
            for (int i = 0; i < values.length; i++) {
                values[i] = group.getKey().getFields()[i].getInt(null);
            }
            Arrays.sort(values);
            String name = group.getKey().getSimpleName();
            assertEquals(values.length - 1, values[values.length - 1] - values[0], name + " values are contiguous");
            assertEquals(values.length, Arrays.stream(values).distinct().count(), name + " values are distinct");
            for (int beyond : new int[] {values[0] - 1, values[values.length - 1] + 1}) {
                assertEquals(false, group.getValue().apply(beyond), name + " " + beyond);
                assertLastError(SimulatorError.INVALID_ARGUMENT, name + " " + beyond);
            }
        }
    }
}
