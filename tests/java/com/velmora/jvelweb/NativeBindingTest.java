package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;

/**
 * Walks the class by reflection, so a native added to JVelWeb can never be
 * left unbound: every declared native is called with no plug-in held and must
 * bind and return its failure value, with ordinary and with null arguments.
 */
class NativeBindingTest {
    private final JVelWeb web = new JVelWeb();

    static List<Method> natives() {
        List<Method> found = new ArrayList<>();
        for (Method method : JVelWeb.class.getDeclaredMethods()) {
            if (Modifier.isNative(method.getModifiers())) {
                found.add(method);
            }
        }
        return found;
    }

    static Object[] arguments(Method method, boolean nullStrings) {
        Class<?>[] types = method.getParameterTypes();
        Object[] values = new Object[types.length];
        for (int i = 0; i < types.length; i++) {
            if (types[i] == String.class) {
                values[i] = nullStrings ? null : "effect \u00e9\ud83d\ude00";
            } else if (types[i] == int.class) {
                values[i] = i % 2 == 0 ? Integer.MIN_VALUE : Integer.MAX_VALUE;
            } else if (types[i] == boolean.class) {
                values[i] = Boolean.TRUE;
            } else {
                throw new AssertionError("unexpected parameter type " + types[i] + " in " + method);
            }
        }
        return values;
    }

    static void assertFailureValue(Method method, Object result) {
        Class<?> type = method.getReturnType();
        if (type == boolean.class) {
            assertEquals(Boolean.FALSE, result, method.getName());
        } else if (type == int.class) {
            assertEquals(-99, result, method.getName());
        } else if (type == String.class) {
            assertNotNull(result, method.getName() + " returned null");
            assertEquals("", result, method.getName());
        } else {
            throw new AssertionError("unexpected result type " + type + " in " + method);
        }
    }

    @Test
    void declaresAllNatives() {
        assertEquals(146, natives().size());
        for (Method method : natives()) {
            assertTrue(Modifier.isPublic(method.getModifiers()), method.getName());
            assertTrue(!Modifier.isStatic(method.getModifiers()), method.getName());
        }
    }

    @Test
    void everyNativeBindsAndFailsCleanlyWithoutPlugin() throws Exception {
        assertEquals(0, web._jni_delete());
        for (Method method : natives()) {
            if (method.getName().startsWith("_jni_")) {
                continue;
            }
            for (boolean nullStrings : new boolean[] {false, true}) {
                Object result = method.invoke(web, arguments(method, nullStrings));
                assertFailureValue(method, result);
            }
        }
    }

    @Test
    void deleteWithoutInitializeReturnsZero() {
        assertEquals(0, web._jni_delete());
        assertEquals(0, web._jni_delete());
    }
}
