package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.CyclicBarrier;
import java.util.concurrent.atomic.AtomicReference;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/**
 * The calling thread's failure record in a real JVM: each cause with its
 * operation name, records kept apart between threads, and count() telling a
 * legal -99 from a refused call. OUT_OF_MEMORY is made in a child JVM
 * (RefusalTraceTest).
 */
class FailureRecordTest extends PluginSession {
    private static final String SIMULATOR = "VelWeb Simulator";

    @BeforeEach
    void forget() {
        JVelWebFailure.clear();
        assertNull(JVelWebFailure.last());
        assertEquals(0, JVelWebFailure.count());
    }

    static void assertFailure(String operation, JVelWebFailure.Cause cause, int hresult, String message,
            String source, String description) {
        JVelWebFailure failure = JVelWebFailure.last();
        assertTrue(failure != null, "no failure recorded for " + operation);
        assertEquals(operation, failure.operation(), failure.toString());
        assertEquals(cause, failure.cause(), failure.toString());
        assertEquals(Integer.toHexString(hresult), Integer.toHexString(failure.hresult()), failure.toString());
        assertEquals(message, failure.message(), failure.toString());
        assertEquals(source, failure.source(), failure.toString());
        assertEquals(description, failure.description(), failure.toString());
    }

    @Test
    void eachCauseIsRecordedUnderItsOperation() {
        assertEquals(-99, web.GetGain("nowhere", 0));
        assertFailure("GetGain", JVelWebFailure.Cause.COM_ERROR, Catalog.UNKNOWN_EFFECT, "IDispatch error #2049",
                SIMULATOR, "No effect named 'nowhere'");
        assertEquals("GetGain failed: COM_ERROR 0x80040a01 \"IDispatch error #2049\" source=\"VelWeb Simulator\""
                + " description=\"No effect named 'nowhere'\"", JVelWebFailure.last().toString());

        assertEquals(false, web.ChangeInsideEffect("box", 0, null, 0));
        assertFailure("ChangeInsideEffect", JVelWebFailure.Cause.NULL_ARGUMENT, 0x80070057,
                "The parameter is incorrect.", null, "String argument 3 is null");
        assertEquals(false, web.EffectSupportsGet(null, 0, "Gain"));
        assertFailure("EffectSupportsGet", JVelWebFailure.Cause.NULL_ARGUMENT, 0x80070057,
                "The parameter is incorrect.", null, "String argument 1 is null");

        assertEquals(-1, web._jni_initialize(0));
        assertFailure("_jni_initialize", JVelWebFailure.Cause.ALREADY_HELD, 0x800704DF,
                "An attempt was made to perform an initialization operation when initialization has already been"
                        + " completed.", null, null);
        assertTrue(web.MakeConstant("still held"), "the held plug-in works on");
        assertEquals(4, JVelWebFailure.count());

        assertEquals(0, web._jni_delete());
        assertEquals("", web.GetPluginVersion());
        assertFailure("GetPluginVersion", JVelWebFailure.Cause.NO_PLUGIN, 0x80004003, "Invalid pointer", null, null);
        assertEquals(0, web._jni_initialize(0));
        assertEquals(5, JVelWebFailure.count(), "successes leave the count alone");

        JVelWebFailure.clear();
        assertNull(JVelWebFailure.last());
        assertEquals(0, JVelWebFailure.count());
    }

    @Test
    void countTellsALegalMinus99FromARefusal() {
        assertTrue(web.MakeSpring("spring", 0));
        assertTrue(web.ChangeCenter("spring", 0, -99, 7));
        long before = JVelWebFailure.count();
        assertEquals(-99, web.GetCenterX("spring", 0));
        assertEquals(before, JVelWebFailure.count(), "a legal -99 is no failure");
        assertEquals(-99, web.GetCenterX("no spring", 0));
        assertEquals(before + 1, JVelWebFailure.count(), "a refused call is");
        assertEquals("GetCenterX", JVelWebFailure.last().operation());
    }

    /** Eight threads fail differently at the same time; each sees only its own failures. */
    @Test
    void recordsStayWithTheirThread() throws Exception {
        int threads = 8;
        CyclicBarrier barrier = new CyclicBarrier(threads);
        AtomicReference<Throwable> wrong = new AtomicReference<>();
        List<Thread> running = new ArrayList<>();
        for (int t = 0; t < threads; t++) {
            int id = t;
            Thread thread = new Thread(() -> {
                try {
                    barrier.await();
                    for (int round = 0; round < 200; round++) {
                        if (id == 0) {
                            assertEquals(0, web.GetNumberOfEffects(0), "thread 0 only succeeds");
                            continue;
                        }
                        String name = "thread " + id + " round " + round;
                        if (id % 2 == 0) {
                            web.GetGain(name, 0);
                        } else {
                            web.StartEffect(name, id);
                        }
                        Thread.yield();
                        JVelWebFailure last = JVelWebFailure.last();
                        assertEquals("No effect named '" + name + "'", last.description());
                        assertEquals(id % 2 == 0 ? "GetGain" : "StartEffect", last.operation());
                        assertEquals(round + 1, JVelWebFailure.count(), "thread " + id);
                    }
                    if (id == 0) {
                        assertNull(JVelWebFailure.last());
                        assertEquals(0, JVelWebFailure.count());
                    }
                } catch (Throwable e) {
                    wrong.compareAndSet(null, e);
                }
            });
            thread.start();
            running.add(thread);
        }
        for (Thread thread : running) {
            thread.join();
        }
        if (wrong.get() != null) {
            throw new AssertionError(wrong.get());
        }
        assertNull(JVelWebFailure.last(), "the test's own thread failed nothing");
    }
}
