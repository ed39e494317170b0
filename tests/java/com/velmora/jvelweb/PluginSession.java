package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;

import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;

/** A fresh simulated plug-in for every test: acquired before, released after. */
abstract class PluginSession {
    final JVelWeb web = new JVelWeb();

    @BeforeEach
    void acquirePlugin() {
        assertEquals(0, web._jni_initialize(0), "_jni_initialize(0) with no plug-in held");
    }

    @AfterEach
    void releasePlugin() {
        assertEquals(0, web._jni_delete(), "_jni_delete()");
    }

    Object call(String name, Object... arguments) {
        return Natives.call(web, name, arguments);
    }

    int openDemo() {
        int made = web.OpenForceResource(Catalog.demoResource());
        assertEquals(Catalog.DEMO_EFFECTS.size(), made, "OpenForceResource(demo.vel)");
        return made;
    }

    /** Asserts the plug-in's last error, shown in hex. */
    void assertLastError(int expected, String after) {
        int got = web.GetLastError();
        assertEquals(Integer.toHexString(expected), Integer.toHexString(got), "GetLastError() after " + after);
    }
}
