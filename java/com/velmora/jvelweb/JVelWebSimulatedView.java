package com.velmora.jvelweb;

/**
 * Hands the simulated plug-in's view switch to the native library once it is
 * loaded: the system property {@code jvelweb.sim.view}, else the environment
 * variable {@code JVELWEB_SIM_VIEW}, a port (0 picks a free one). Each plug-in
 * acquired afterwards finds it in its property bag; the simulated one then
 * serves its live page on 127.0.0.1, and a real one ignores it.
 */
final class JVelWebSimulatedView {
    private JVelWebSimulatedView() {}

    /** Called by {@link JVelWebLoader} right after the library is loaded. */
    static void configureFromSettings() {
        String setting = System.getProperty("jvelweb.sim.view");
        if (setting == null) {
            setting = System.getenv("JVELWEB_SIM_VIEW");
        }
        if (setting != null) {
            configure(setting);
        }
    }

    private static native void configure(String setting);
}
