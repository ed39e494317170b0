package com.example.app;

import com.velmora.jvelweb.JVelWeb;
import com.velmora.jvelweb.sim.SimulatedDevice;

public final class Main {
    public static void main(String[] args) {
        JVelWeb web = new JVelWeb();
        System.out.println("initialize " + web._jni_initialize(0));
        // The second package of the module is exported too, and its natives bind.
        SimulatedDevice.useManualClock();
        long before = SimulatedDevice.millis();
        SimulatedDevice.advance(250);
        System.out.println("simulated " + SimulatedDevice.isSimulated() + ", " + (SimulatedDevice.millis() - before) + " ms on");
        System.out.println("version " + web.GetPluginVersion());
        System.out.println("delete " + web._jni_delete());
    }
}
