package com.velmora.jvelweb;

/**
 * Runs in a child JVM on the library built to trace to stderr: each scenario
 * makes a few calls and prints their results on stdout, one a line, so the
 * parent can hold the trace on stderr against the calls that caused it.
 */
public final class TraceProbe {
    private TraceProbe() {}

    public static void main(String[] args) {
        JVelWeb web = new JVelWeb();
        switch (args[0]) {
            case "query":
                print(web._jni_initialize(0), web.GetGain("nowhere", 0), web._jni_delete());
                break;
            case "creation":
                print(web._jni_initialize(0), web.MakeConstant("twice"), web.MakeConstant("twice"),
                        web.MakePeriodic("wave", 9), web._jni_delete());
                break;
            case "resource":
                print(web._jni_initialize(0), web.OpenForceResource(args[1]), web._jni_delete());
                break;
            case "quiet":
                // Successes, a refused second initialize, null Strings, and calls with no plug-in.
                print(web._jni_initialize(0), web._jni_initialize(0), web.OpenForceResource(args[1]),
                        web.GetGain("push", 0), web.GetNameOfEffect(0, 11), web.StartEffect("push and buzz", 1),
                        web.GetGain(null, 0), web.MakeConstant(null), web.ChangeInsideEffect("pen", 0, null, 0),
                        web.GetEffectTypeName(null, 0), web._jni_delete(), web.GetGain("nowhere", 0),
                        web.MakeConstant("x"), web.GetDeviceProductName(), web._jni_delete());
                break;
            case "unregistered":
                print(web._jni_initialize(0), web.GetGain("nowhere", 0), web.GetPluginVersion(), web._jni_delete());
                break;
            default:
                throw new IllegalArgumentException(args[0]);
        }
    }

    private static void print(Object... results) {
        for (Object result : results) {
            System.out.println(result);
        }
    }
}
