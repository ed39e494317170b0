package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.lang.reflect.Method;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;

/**
 * A null String in any position gives the failure value with a plug-in held
 * and never reaches the plug-in: not as an empty name (which would, for
 * instance, remove an inside effect), not as an error.
 */
class NullStringTest extends PluginSession {

    /** Arguments that would succeed on the demo effects: "pen" (has syrup inside), "Gain", ints 1. */
    static Object[] validArguments(Method method) {
        Class<?>[] types = method.getParameterTypes();
        Object[] arguments = new Object[types.length];
        for (int i = 0; i < types.length; i++) {
            arguments[i] = types[i] == int.class ? 1 : types[i] == boolean.class ? Boolean.TRUE
                    : i == 0 ? "pen" : method.getName().startsWith("EffectSupports") ? "Gain" : "syrup";
        }
        return arguments;
    }

    @Test
    void nullInEveryStringPositionGivesTheFailureValue() {
        openDemo();
        assertFalse(web.MakeConstant("push"), "MakeConstant(push) again");  // last error: DUPLICATE_NAME
        List<String> wrong = new ArrayList<>();
        int positions = 0;
        for (Method method : Natives.all()) {
            Class<?>[] types = method.getParameterTypes();
            for (int i = 0; i < types.length; i++) {
                if (types[i] != String.class) {
                    continue;
                }
                Object[] arguments = validArguments(method);
                arguments[i] = null;
                Object result = Natives.invoke(web, method, arguments);
                positions++;
                if (!Natives.failureValue(method).equals(result)) {
                    wrong.add(Natives.describe(method, arguments) + " = " + Natives.show(result));
                }
            }
        }
        assertTrue(wrong.isEmpty(), "null Strings: " + wrong);
        assertEquals(120, positions, "String positions over all natives");
        assertLastError(Catalog.DUPLICATE_NAME, "the null calls (none may reach the plug-in)");
        assertEquals("syrup", web.GetNameOfEffectInCompound("pen", 0, 0), "pen keeps its inside effect");
        assertEquals(12, web.GetNumberOfEffects(0), "no effect made or lost");
        assertEquals(0, web.GetNumberOfEffects(1), "nothing started");
        assertEquals(300, web.GetRectangleHeight("pen", 0), "pen's rectangle is unchanged");
        assertTrue(web.ChangeGain("pen", 0, 1234), "a normal call after the null ones");
        assertEquals(1234, web.GetGain("pen", 0), "a normal read after the null ones");
    }
}
