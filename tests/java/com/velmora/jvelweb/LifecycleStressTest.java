package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.lang.reflect.Method;
import java.util.ArrayList;
import java.util.List;
import java.util.Queue;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.CyclicBarrier;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.concurrent.atomic.AtomicLong;
import java.util.stream.Collectors;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Test;

/**
 * _jni_initialize and _jni_delete while other threads are inside natives, which
 * callers must not do and sometimes do (a shutdown hook releasing while a worker
 * still polls): nothing crashes, every answer is the plug-in's or the failure
 * value, no String is null, and the library works as before afterwards. The
 * system property jvelweb.lifecycleSeconds sets the length (10 s by default).
 */
class LifecycleStressTest {
    private static final int CALLERS = 4;
    private static final int CYCLERS = 2;
    private final JVelWeb web = new JVelWeb();

    @AfterEach
    void release() {
        web._jni_delete();
    }

    @Test
    void initializeAndDeleteRacingCallsGiveAnswersOrFailureValues() throws Exception {
        double seconds = Double.parseDouble(System.getProperty("jvelweb.lifecycleSeconds", "10"));
        assertEquals(0, web._jni_initialize(0));
        String version = web.GetPluginVersion();
        assertEquals(0, web._jni_delete());

        AtomicBoolean stop = new AtomicBoolean();
        AtomicLong answered = new AtomicLong();
        AtomicLong refused = new AtomicLong();
        AtomicLong cycles = new AtomicLong();
        Queue<String> wrong = new ConcurrentLinkedQueue<>();
        List<Method> every = Natives.all();
        List<Thread> threads = new ArrayList<>();
        for (int t = 0; t < CALLERS; t++) {
            final int id = t;
            threads.add(new Thread(() -> {
                JVelWeb own = new JVelWeb();
                String name = "effect " + id + " \u00e9";
                for (long round = 0; !stop.get(); round++) {
                    tally(answered, refused, wrong, "MakeConstant", own.MakeConstant(name), true, false);
                    tally(answered, refused, wrong, "EffectExists", own.EffectExists(name, 0), true, false);
                    tally(answered, refused, wrong, "GetPluginVersion", own.GetPluginVersion(), version, "");
                    tally(answered, refused, wrong, "GetEffectTypeName", own.GetEffectTypeName(name, 0), "Constant",
                            "");
                    for (int i = 0; i < 8; i++) {  // the cheapest native: the most borrows per second
                        tally(answered, refused, wrong, "GetDeviceType", own.GetDeviceType(), 2, -99);
                    }
                    tally(answered, refused, wrong, "StopEffects", own.StopEffects(), true, false);
                    // Now and then every native once: no exception, no null String.
                    if (round % 64 == id) {
                        for (Method method : every) {
                            Object[] arguments = NativeBindingTest.arguments(method, false);
                            Object result = Natives.invoke(own, method, arguments);
                            if (result == null) {
                                wrong.add(Natives.describe(method, arguments) + " gave null");
                            }
                        }
                    }
                }
            }, "caller-" + t));
        }
        CyclicBarrier cyclersStart = new CyclicBarrier(CYCLERS);
        for (int t = 0; t < CYCLERS; t++) {
            threads.add(new Thread(() -> {
                JVelWeb own = new JVelWeb();
                try {
                    cyclersStart.await();
                } catch (Exception e) {
                    wrong.add("barrier: " + e);
                }
                for (int round = 0; !stop.get(); round++) {
                    int result = own._jni_initialize(round);
                    if (result != 0 && result != -1) {
                        wrong.add("_jni_initialize gave " + result);
                    }
                    long until = System.nanoTime() + (round % 5) * 20_000L;  // the plug-in in use, 0 to 80 us
                    while (System.nanoTime() < until) {
                        Thread.onSpinWait();
                    }
                    // Mostly each deletes what it acquired; now and then the other's, or twice.
                    if (result == 0 || round % 8 == 0) {
                        if (own._jni_delete() != 0) {
                            wrong.add("_jni_delete did not give 0");
                        }
                        cycles.incrementAndGet();
                    }
                }
            }, "cycler-" + t));
        }
        for (Thread thread : threads) {
            thread.setUncaughtExceptionHandler((th, e) -> wrong.add(th.getName() + " threw " + e));
            thread.start();
        }
        Thread.sleep((long) (seconds * 1000));
        stop.set(true);
        for (Thread thread : threads) {
            thread.join();
        }
        System.out.printf("lifecycle stress: %.1f s, %d callers, %d initialise/delete threads: %d answers, "
                + "%d failure values, %d deletes%n", seconds, CALLERS, CYCLERS, answered.get(), refused.get(),
                cycles.get());
        assertTrue(wrong.isEmpty(),
                () -> wrong.size() + " wrong, first: " + wrong.stream().limit(10).collect(Collectors.toList()));
        assertTrue(answered.get() > 0, "no call met a plug-in");
        assertTrue(refused.get() > 0, "no call met an empty slot");

        // The library is as before: one plug-in, fresh, working.
        assertEquals(0, web._jni_delete());
        assertEquals(-99, web.GetDeviceType(), "GetDeviceType with nothing held");
        assertEquals(0, web._jni_initialize(5), "_jni_initialize after the stress");
        assertEquals(5, web.GetDeviceFlag());
        assertEquals(0, web.GetNumberOfEffects(0), "a fresh plug-in");
        assertTrue(web.MakeConstant("after"));
        assertEquals(-1, web._jni_initialize(0), "_jni_initialize while held");
    }

    @Test
    void ofTwoConcurrentInitializesExactlyOneSucceeds() throws Exception {
        final int rounds = 500;
        SpinBarrier start = new SpinBarrier(2);
        int[][] results = new int[2][rounds];
        Queue<String> wrong = new ConcurrentLinkedQueue<>();
        List<Thread> threads = new ArrayList<>();
        for (int t = 0; t < 2; t++) {
            final int id = t;
            threads.add(new Thread(() -> {
                JVelWeb own = new JVelWeb();
                try {
                    for (int round = 0; round < rounds; round++) {
                        start.await();
                        results[id][round] = own._jni_initialize(round);
                        start.await();
                        own._jni_delete();  // the first empties the slot; each balances its own COM
                    }
                } catch (Exception e) {
                    wrong.add("thread " + id + " threw " + e);
                }
            }));
        }
        for (Thread thread : threads) {
            thread.start();
        }
        for (Thread thread : threads) {
            thread.join();
        }
        assertTrue(wrong.isEmpty(), () -> wrong.toString());
        int both = 0;
        int neither = 0;
        for (int round = 0; round < rounds; round++) {
            int successes = (results[0][round] == 0 ? 1 : 0) + (results[1][round] == 0 ? 1 : 0);
            both += successes == 2 ? 1 : 0;
            neither += successes == 0 ? 1 : 0;
        }
        assertEquals(0, both, "rounds of " + rounds + " in which both returned 0");
        assertEquals(0, neither, "rounds of " + rounds + " in which neither returned 0");
    }

    /** Both threads spin, so neither waits to be woken: their calls start within microseconds. */
    private static final class SpinBarrier {
        private final int parties;
        private final AtomicInteger arrived = new AtomicInteger();
        private final AtomicInteger generation = new AtomicInteger();

        SpinBarrier(int parties) {
            this.parties = parties;
        }

        void await() {
            int current = generation.get();
            if (arrived.incrementAndGet() == parties) {
                arrived.set(0);
                generation.incrementAndGet();
            } else {
                while (generation.get() == current) {
                    Thread.onSpinWait();
                }
            }
        }
    }

    private static void tally(AtomicLong answered, AtomicLong refused, Queue<String> wrong, String what, Object got,
            Object answer, Object failure) {
        if (answer.equals(got)) {
            answered.incrementAndGet();
        } else if (failure.equals(got)) {
            refused.incrementAndGet();
        } else if (wrong.size() < 100) {
            wrong.add(what + " gave " + Natives.show(got));
        }
    }
}
