package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.Catalog.Change;
import com.velmora.jvelweb.Catalog.Kind;
import java.lang.reflect.Method;
import java.util.ArrayList;
import java.util.List;
import java.util.function.IntPredicate;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/**
 * Hostile arguments from Java: extreme ints in every int position and odd
 * Strings in every String position, with the demo effects loaded, and every
 * native after the plug-in is released. Each result is what the simulator
 * documents for that value, or the failure value; -Xcheck:jni watches the rest.
 */
class BadInputTest extends PluginSession {
    static final int[] EXTREMES = {Integer.MIN_VALUE, Integer.MAX_VALUE, -1, 0};

    static Stream<Arguments> badStrings() {
        return Stream.of(Arguments.of("empty", ""), Arguments.of("non-ASCII", "\u00f1and\u00fa \u65e5\u672c"),
                Arguments.of("supplementary", "\ud83d\ude00\ud834\udd1e"),
                Arguments.of("lone surrogates", "x\udc00y\ud800"));
    }

    private int made;

    /** The demo effect a native is called on: one whose kind has what the native touches. */
    static String target(Method method) {
        String name = method.getName();
        if (name.equals("ChangeInsideEffect")) {
            return "pen";
        }
        if (name.startsWith("Change")) {
            return Catalog.CHANGES.get(name.substring(6)).someKind().demoEffect;
        }
        if (name.contains("InCompound")) {
            return "push and buzz";
        }
        if (name.startsWith("Get") && Catalog.queries().contains(name.substring(3))) {
            String parameter = Catalog.parameterOfQuery(name.substring(3));
            return Stream.of(Kind.values()).filter(k -> k.parameters.contains(parameter)).findFirst().get().demoEffect;
        }
        return "push";
    }

    /** Arguments that succeed: the target, a fresh name for Make, "syrup" inside, "Gain", ints 0 or 1. */
    Object[] baseline(Method method) {
        String name = method.getName();
        Class<?>[] types = method.getParameterTypes();
        boolean zeros = name.startsWith("Make") || name.startsWith("GetNumberOf") || name.startsWith("GetNameOf")
                || name.equals("EffectExists");
        Object[] arguments = new Object[types.length];
        for (int i = 0; i < types.length; i++) {
            if (types[i] == int.class) {
                arguments[i] = zeros ? 0 : 1;
            } else if (types[i] == boolean.class) {
                arguments[i] = Boolean.TRUE;
            } else if (i > 0) {
                arguments[i] = name.startsWith("EffectSupports") ? "Gain" : "syrup";
            } else {
                arguments[i] = name.startsWith("Make") ? "made " + made++ : target(method);
            }
        }
        return arguments;
    }

    /** The ints the native accepts at parameter {@code position}, from the simulator's tables; null if unknown. */
    static IntPredicate accepted(Method method, int position) {
        String name = method.getName();
        IntPredicate any = v -> true;
        IntPredicate selector = v -> v == 0 || v == 1;
        if (name.equals("ChangeInsideEffect")) {
            return any;  // the apply flag and the unused int
        }
        if (name.startsWith("Change")) {
            Change change = Catalog.CHANGES.get(name.substring(6));
            return position == 1 ? any : v -> change.accepts(position - 2, v);
        }
        if (name.startsWith("Make")) {
            int last = name.equals("MakePeriodic") ? 4 : 2;
            return v -> v >= 0 && v <= last;
        }
        switch (name) {
            case "StartEffect":
            case "StartEffect2":
                return position == 1 ? v -> v >= 1 || v == -1 : position == 2 ? v -> v >= 0 : v -> v >= 0 && v <= 10000;
            case "EffectExists":
            case "GetNumberOfEffects":
            case "GetNumberOfEffectsInCompound":
                return selector;
            case "GetNameOfEffect":  // 12 demo effects and more made meanwhile; only 0 of the extremes is an index
                return position == 0 ? selector : v -> v >= 0 && v < 12;
            case "GetNameOfEffectInCompound":  // the compound has two members
                return position == 1 ? selector : v -> v >= 0 && v < 2;
            case "StopEffect":
            case "GetEffectTypeName":
            case "EffectSupportsGet":
            case "EffectSupportsChange":
                return any;
            default:
                return name.startsWith("Get") && Catalog.queries().contains(name.substring(3)) ? any : null;
        }
    }

    @Test
    void extremeIntsInEveryIntPosition() {
        openDemo();
        List<String> wrong = new ArrayList<>();
        int calls = 0;
        for (Method method : Natives.all()) {
            Class<?>[] types = method.getParameterTypes();
            for (int position = 0; position < types.length; position++) {
                if (types[position] != int.class) {
                    continue;
                }
                IntPredicate rule = accepted(method, position);
                if (rule == null) {
                    wrong.add("no rule for int " + position + " of " + method.getName());
                    continue;
                }
                for (int value : EXTREMES) {
                    Object[] base = baseline(method);
                    Object ordinary = Natives.invoke(web, method, base);
                    if (Natives.failureValue(method).equals(ordinary)) {
                        wrong.add(Natives.describe(method, base) + " failed");
                        continue;
                    }
                    Object[] arguments = baseline(method);
                    arguments[position] = value;
                    Object result = Natives.invoke(web, method, arguments);
                    calls++;
                    Object expected = rule.test(value) ? ordinary : Natives.failureValue(method);
                    if (!expected.equals(result)) {
                        wrong.add(Natives.describe(method, arguments) + " = " + Natives.show(result) + ", expected "
                                + Natives.show(expected));
                    }
                }
            }
        }
        assertTrue(wrong.isEmpty(), wrong.size() + " of " + calls + " calls: " + wrong);
        assertEquals(4 * 182, calls, "extreme calls over all int positions");
    }

    @ParameterizedTest(name = "{0}")
    @MethodSource("badStrings")
    void oddStringsInEveryStringPosition(String label, String odd) {
        openDemo();
        List<String> wrong = new ArrayList<>();
        for (Method method : Natives.all()) {
            Class<?>[] types = method.getParameterTypes();
            for (int position = 0; position < types.length; position++) {
                if (types[position] != String.class || method.getName().startsWith("Make")) {
                    continue;
                }
                Object[] arguments = baseline(method);
                arguments[position] = odd;
                Object result = Natives.invoke(web, method, arguments);
                // The empty inside name removes the inside effect; no other call can succeed on a name
                // that is no effect, parameter or file.
                boolean removal = method.getName().equals("ChangeInsideEffect") && position == 2 && odd.isEmpty();
                Object expected = removal ? Boolean.TRUE : Natives.failureValue(method);
                if (!expected.equals(result)) {
                    wrong.add(Natives.describe(method, arguments) + " = " + Natives.show(result));
                }
            }
        }
        assertTrue(wrong.isEmpty(), label + ": " + wrong);
        for (Kind kind : Kind.values()) {
            String name = kind == Kind.CONSTANT ? odd : odd + " " + kind.typeName;
            assertEquals(!name.isEmpty(), kind.make(web, name, 1), kind.maker() + "(" + Natives.show(name) + ", 1)");
        }
        int count = web.GetNumberOfEffects(0);
        assertEquals(odd.isEmpty() ? 22 : 23, count, "effects after making one of each kind");
        assertEquals(Natives.show(odd + " Texture"), Natives.show(web.GetNameOfEffect(0, count - 1)));
        assertEquals("Texture", web.GetEffectTypeName(odd + " Texture", 0));
        if (!odd.isEmpty()) {
            assertEquals(Natives.show(odd), Natives.show(web.GetNameOfEffect(0, 12)));
            assertEquals("Constant", web.GetEffectTypeName(odd, 0));
        }
    }

    @Test
    void megabyteStrings() {
        openDemo();
        String big = "\u00e9\ud83d\ude00a".repeat(1 << 18);
        assertTrue(web.MakeConstant(big), "MakeConstant of a 1M-char name");
        assertSameText(big, web.GetNameOfEffect(0, 12), "GetNameOfEffect of the 1M-char name");
        assertTrue(web.EffectExists(big, 0), "EffectExists(big)");
        assertFalse(web.EffectExists(big.substring(0, big.length() - 1), 0), "EffectExists(big less its last char)");
        assertFalse(web.EffectExists(big + "a", 0), "EffectExists(big and one more char)");
        assertEquals("Constant", web.GetEffectTypeName(big, 0));
        assertTrue(web.ChangeGain(big, 0, 4321));
        assertEquals(4321, web.GetGain(big, 0));
        assertTrue(web.ChangeInsideEffect("pen", 0, big, 0), "ChangeInsideEffect(pen, big)");
        assertSameText(big, web.GetNameOfEffectInCompound("pen", 0, 0), "pen's inside effect");
        assertTrue(web.StartEffect(big, 1));
        assertSameText(big, web.GetNameOfEffect(1, 0), "the one playing effect");
        assertFalse(web.EffectSupportsGet("push", 0, big), "EffectSupportsGet(push, big)");
        assertEquals(-99, web.OpenForceResource(big), "OpenForceResource(big)");
        assertFalse(web.MakeRamp(big), "MakeRamp under the taken 1M-char name");
    }

    private static void assertSameText(String expected, String got, String what) {
        if (!expected.equals(got)) {
            int at = 0;
            while (at < Math.min(expected.length(), got.length()) && expected.charAt(at) == got.charAt(at)) {
                at++;
            }
            throw new AssertionError(what + ": got " + got.length() + " chars, expected " + expected.length()
                    + ", first difference at " + at);
        }
    }

    @Test
    void everyNativeFailsAfterRelease() {
        openDemo();
        assertEquals(0, web._jni_delete());
        List<String> wrong = new ArrayList<>();
        String[] strings = {"push", "", "\ud83d\ude00", "x\udc00"};
        for (Method method : Natives.all()) {
            for (int i = 0; i < EXTREMES.length; i++) {
                Object[] arguments = new Object[method.getParameterCount()];
                for (int p = 0; p < arguments.length; p++) {
                    Class<?> type = method.getParameterTypes()[p];
                    arguments[p] = type == int.class ? EXTREMES[(i + p) % 4] : type == String.class ? strings[i]
                            : Boolean.valueOf(i % 2 == 0);
                }
                Object result = Natives.invoke(web, method, arguments);
                if (!Natives.failureValue(method).equals(result)) {
                    wrong.add(Natives.describe(method, arguments) + " = " + Natives.show(result));
                }
            }
        }
        assertTrue(wrong.isEmpty(), "with the plug-in released: " + wrong);
        assertEquals(0, web._jni_initialize(0), "acquiring again for the next test");
    }
}
