package com.velmora.jvelweb;

/**
 * Runs in a child JVM, with the trace switched on as the parent chose: each
 * scenario makes a few calls and prints their results on stdout, one a line,
 * so the parent can hold the trace against the calls that caused it.
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
            case "forge": {
                // A name whose line breaks would forge a report, an escape
                // sequence for a terminal, and a C1 line break (NEL).
                String name = "x\nJVelWeb COM Exception:\n80004005\u001B[2J\u0085";
                int initialized = web._jni_initialize(0);
                boolean made = web.MakeConstant(name);
                boolean again = web.MakeConstant(name);
                boolean exact = JVelWebFailure.last().description().equals("An effect named '" + name + "' already exists");
                print(initialized, made, again, exact ? "the record keeps the exact text" : "the record's text changed",
                        web._jni_delete());
                break;
            }
            case "unregistered":
                print(web._jni_initialize(0), web.GetGain("nowhere", 0), web.GetPluginVersion(), web._jni_delete());
                break;
            case "broken": {
                int result = web._jni_initialize(0);
                JVelWebFailure failure = JVelWebFailure.last();
                print(result, brief(failure), failure.source(), failure.description());
                break;
            }
            case "threads":
                print(web._jni_initialize(0));
                failOnThreads(web);
                print(web._jni_delete());
                break;
            case "oom":
                outOfMemory(web);
                break;
            default:
                throw new IllegalArgumentException(args[0]);
        }
    }

    private static String brief(JVelWebFailure failure) {
        return failure.operation() + " " + failure.cause() + " " + Integer.toHexString(failure.hresult());
    }

    /** Eight threads, 50 refused calls each, all at once. */
    private static void failOnThreads(JVelWeb web) {
        Thread[] threads = new Thread[8];
        for (int t = 0; t < threads.length; t++) {
            int id = t;
            threads[t] = new Thread(() -> {
                for (int i = 0; i < 50; i++) {
                    web.GetGain("thread " + id + " call " + i, 0);
                }
            });
            threads[t].start();
        }
        for (Thread thread : threads) {
            try {
                thread.join();
            } catch (InterruptedException e) {
                throw new IllegalStateException(e);
            }
        }
    }

    /**
     * Fills the heap until not even a small array fits, then asks for a String
     * result: the JVM cannot make it, and the record says so once there is
     * room again.
     */
    private static void outOfMemory(JVelWeb web) {
        web._jni_initialize(0);
        // Binding a native takes memory too: everything used below is bound
        // and linked before the heap is full.
        web.GetPluginVersion();
        web.GetGain(null, 0);
        brief(JVelWebFailure.last());
        JVelWebFailure.clear();
        java.util.List<Object> hog = new java.util.ArrayList<>();
        // No String literal is touched while the heap is full: resolving one
        // allocates.
        boolean thrown = false;
        try {
            for (int size = 1 << 20; size > 0; ) {
                try {
                    hog.add(new long[size]);
                } catch (OutOfMemoryError full) {
                    size /= 2;
                }
            }
            web.GetPluginVersion();
        } catch (OutOfMemoryError expected) {
            thrown = true;
        }
        hog.clear();
        System.gc();
        print(thrown ? "OutOfMemoryError" : "no OutOfMemoryError", brief(JVelWebFailure.last()));
        web._jni_delete();
    }

    private static void print(Object... results) {
        for (Object result : results) {
            System.out.println(result);
        }
    }
}
