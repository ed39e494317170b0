package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.HashSet;
import java.util.List;
import java.util.Queue;
import java.util.Set;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.CyclicBarrier;
import java.util.stream.Collectors;
import org.junit.jupiter.api.Test;

/**
 * Eight threads call natives of every shape at once, each on effects of its
 * own, and every answer must be the one that thread alone would get.
 */
class ConcurrencyTest extends PluginSession {
    private static final int THREADS = 8;
    private static final int ROUNDS = 600;  // about 16 calls each
    private static final int RAMP_EVERY = 50;

    @Test
    void concurrentCallsGiveEachThreadItsOwnAnswers() throws Exception {
        assertTrue(web.MakeConstant("common"));
        String version = web.GetPluginVersion();
        Queue<String> wrong = new ConcurrentLinkedQueue<>();
        CyclicBarrier start = new CyclicBarrier(THREADS);
        List<Thread> threads = new ArrayList<>();
        for (int t = 0; t < THREADS; t++) {
            final int id = t;
            Thread thread = new Thread(() -> {
                try {
                    start.await();
                    work(id, version, wrong);
                } catch (Throwable e) {
                    wrong.add("thread " + id + " threw " + e);
                }
            }, "caller-" + t);
            threads.add(thread);
            thread.start();
        }
        for (Thread thread : threads) {
            thread.join();
        }
        assertTrue(wrong.isEmpty(),
                () -> wrong.size() + " wrong answers, first: " + wrong.stream().limit(10).collect(Collectors.toList()));

        int perThread = 3 + ROUNDS / RAMP_EVERY;
        assertEquals(1 + THREADS * perThread, web.GetNumberOfEffects(0), "effects made by all threads");
        Set<String> names = new HashSet<>();
        for (int i = 0; i < web.GetNumberOfEffects(0); i++) {
            names.add(web.GetNameOfEffect(0, i));
        }
        assertEquals(1 + THREADS * perThread, names.size(), "distinct names listed");
        assertEquals(0, web.GetNumberOfEffects(1), "every thread stopped what it started");
        // Every X read moved the handle one step: two per round per thread.
        int steps = (THREADS * ROUNDS * 2 + 1) % 120;
        assertEquals(Math.round(800 * Math.cos(Math.toRadians(3.0 * steps))), web.GetDevicePosX(),
                "handle position after " + (THREADS * ROUNDS * 2) + " concurrent X reads");
    }

    private void work(int id, String version, Queue<String> wrong) {
        String force = id + " force \u00e9";
        String spring = id + " spring \ud83d\ude00";
        String box = id + " box";
        check(wrong, id, "make", web.MakeConstant(force) && web.MakeSpring(spring, id % 3) && web.MakeEnclosure(box),
                true);
        check(wrong, id, "inside", web.ChangeInsideEffect(box, 0, force, 0), true);
        for (int i = 0; i < ROUNDS; i++) {
            int gain = (id * 1000 + i) % 10001;
            check(wrong, id, "ChangeGain", web.ChangeGain(force, 1, gain), true);
            check(wrong, id, "GetGain", web.GetGain(force, 0), gain);
            check(wrong, id, "ChangeCenter", web.ChangeCenter(spring, 0, id, -i), true);
            check(wrong, id, "GetCenterX", web.GetCenterX(spring, 0), id);
            check(wrong, id, "GetCenterY", web.GetCenterY(spring, 0), -i);
            check(wrong, id, "GetAxis", web.GetAxis(spring, 0), id % 3);
            check(wrong, id, "GetEffectTypeName", web.GetEffectTypeName(spring, 0), "Spring");
            check(wrong, id, "member", web.GetNameOfEffectInCompound(box, 0, 0), force);
            check(wrong, id, "EffectSupportsGet", web.EffectSupportsGet(spring, 0, "CenterY"), true);
            check(wrong, id, "StartEffect", web.StartEffect(force, -1), true);
            check(wrong, id, "playing", web.EffectExists(force, 1), true);
            check(wrong, id, "StopEffect", web.StopEffect(force, 0), true);
            check(wrong, id, "unknown", web.GetGain(id + " nothing", 0), -99);
            check(wrong, id, "common", web.EffectExists("common", 0), true);
            check(wrong, id, "GetDeviceType", web.GetDeviceType(), 2);
            check(wrong, id, "version", web.GetPluginVersion(), version);
            check(wrong, id, "screen", web.GetScreenPosX() >= 0 & web.GetDevicePosX() >= -1000, true);
            if (i % RAMP_EVERY == 0) {
                check(wrong, id, "MakeRamp", web.MakeRamp(id + " ramp " + i), true);
            }
        }
    }

    private static void check(Queue<String> wrong, int id, String what, Object got, Object expected) {
        if (!expected.equals(got)) {
            wrong.add("thread " + id + " " + what + ": got " + Natives.show(got) + ", expected "
                    + Natives.show(expected));
        }
    }
}
