package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.util.Arrays;
import java.util.Map;
import java.util.TreeMap;
import org.junit.jupiter.api.Test;

/** The checked facade: exactly JVelWeb's plug-in operations, throwing only for real failures. */
class CheckedJVelWebTest {
    private static String signature(Method method) {
        return method.getReturnType().getName() + " " + method.getName()
                + Arrays.toString(method.getParameterTypes()) + " throws "
                + Arrays.toString(method.getExceptionTypes());
    }

    private static Map<String, String> byName(Class<?> type, boolean natives) {
        Map<String, String> found = new TreeMap<>();
        for (Method method : type.getDeclaredMethods()) {
            int modifiers = method.getModifiers();
            if (!Modifier.isPublic(modifiers) || Modifier.isStatic(modifiers)
                    || natives != Modifier.isNative(modifiers) || method.getName().startsWith("_jni_")
                    || method.getName().equals("close")) {
                continue;
            }
            assertNull(found.put(method.getName() + Arrays.toString(method.getParameterTypes()), signature(method)));
        }
        return found;
    }

    @Test
    void offersExactlyThePluginOperationsOfJVelWeb() {
        Map<String, String> plain = byName(JVelWeb.class, true);
        assertEquals(144, plain.size());
        assertEquals(plain, byName(CheckedJVelWeb.class, false));
        assertTrue(AutoCloseable.class.isAssignableFrom(CheckedJVelWeb.class));
        assertTrue(RuntimeException.class.isAssignableFrom(JVelWebException.class), "unchecked");
    }

    @Test
    void throwsForRefusalsReturnsLegalAnswersAndReleasesOnClose() {
        JVelWeb plain = new JVelWeb();
        try (CheckedJVelWeb web = new CheckedJVelWeb(0)) {
            JVelWebException held = assertThrows(JVelWebException.class, CheckedJVelWeb::new);
            assertEquals(JVelWebFailure.Cause.ALREADY_HELD, held.failure().cause());
            assertEquals(held.failure().toString(), held.getMessage());

            assertTrue(web.MakeSpring("spring", 0));
            assertTrue(web.ChangeCenter("spring", 0, -99, 0));
            assertEquals(-99, web.GetCenterX("spring", 0), "a legal -99 is returned");
            assertEquals(false, web.EffectExists("nothing", 0), "a legal false is returned");

            JVelWebException refused = assertThrows(JVelWebException.class, () -> web.GetCenterX("nothing", 0));
            assertEquals("GetCenterX", refused.failure().operation());
            assertEquals(JVelWebFailure.Cause.COM_ERROR, refused.failure().cause());
            assertEquals("No effect named 'nothing'", refused.failure().description());
            JVelWebException nulled = assertThrows(JVelWebException.class, () -> web.GetEffectTypeName(null, 0));
            assertEquals(JVelWebFailure.Cause.NULL_ARGUMENT, nulled.failure().cause());
        }
        JVelWebFailure.clear();
        assertEquals(-99, plain.GetNumberOfEffects(0), "close released the plug-in");
        assertEquals(JVelWebFailure.Cause.NO_PLUGIN, JVelWebFailure.last().cause());
        try (CheckedJVelWeb again = new CheckedJVelWeb()) {
            assertEquals(0, again.GetNumberOfEffects(0), "a new plug-in, with no effects");
            again.close();
            again.close();
            assertThrows(JVelWebException.class, () -> again.GetNumberOfEffects(0));
        }
    }
}
