package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

/** Acquiring and releasing the one plug-in of the process. */
class AcquisitionTest {
    private final JVelWeb web = new JVelWeb();

    @AfterEach
    void release() {
        web._jni_delete();
    }

    @Test
    void secondInitializeIsRefusedAndKeepsTheFirstPlugin() {
        assertEquals(0, web._jni_initialize(0), "first _jni_initialize");
        assertTrue(web.MakeConstant("kept"), "MakeConstant(kept)");
        assertEquals(-1, web._jni_initialize(7), "_jni_initialize while a plug-in is held");
        assertTrue(web.EffectExists("kept", 0), "the effect made before the refused initialize");
        assertEquals(0, web.GetDeviceFlag(), "GetDeviceFlag keeps the first plug-in's flag");
        assertEquals(1, web.GetNumberOfEffects(0), "GetNumberOfEffects(0)");
    }

    @Test
    void releaseThenAcquireGivesAFreshPlugin() {
        for (int round = 0; round < 20; round++) {
            assertEquals(0, web._jni_initialize(round), "_jni_initialize in round " + round);
            assertEquals(0, web.GetNumberOfEffects(0), "effects of a fresh plug-in in round " + round);
            assertFalse(web.EffectExists("old", 0), "the previous plug-in's effect in round " + round);
            assertTrue(web.MakeConstant("old"), "MakeConstant(old) in round " + round);
            assertEquals(0, web._jni_delete(), "_jni_delete in round " + round);
            assertEquals(-99, web.GetNumberOfEffects(0), "GetNumberOfEffects with the plug-in released");
        }
        assertEquals(0, web._jni_delete(), "_jni_delete with nothing held");
        assertEquals(0, web._jni_delete(), "_jni_delete again with nothing held");
    }

    @Test
    void everyInstanceSharesTheOnePlugin() {
        JVelWeb other = new JVelWeb();
        assertEquals(0, web._jni_initialize(3));
        assertTrue(web.MakeRamp("shared"));
        assertEquals("Ramp", other.GetEffectTypeName("shared", 0), "another instance sees the effect");
        assertEquals(3, other.GetDeviceFlag(), "another instance sees the flag");
        assertEquals(-1, other._jni_initialize(0), "another instance's _jni_initialize while one is held");
        assertEquals(0, other._jni_delete(), "_jni_delete through another instance");
        assertFalse(web.EffectExists("shared", 0), "the plug-in after another instance released it");
        assertEquals(-99, web.GetDeviceFlag(), "GetDeviceFlag with no plug-in");
    }

    @ParameterizedTest
    @ValueSource(ints = {0, 5, -1, Integer.MIN_VALUE, Integer.MAX_VALUE})
    void deviceFlagIsTheOneGivenToInitialize(int flag) {
        assertEquals(0, web._jni_initialize(flag), "_jni_initialize(" + flag + ")");
        assertEquals(flag, web.GetDeviceFlag(), "GetDeviceFlag()");
    }
}
