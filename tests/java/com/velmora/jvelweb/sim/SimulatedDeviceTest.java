package com.velmora.jvelweb.sim;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.JVelWeb;
import com.velmora.jvelweb.JVelWebConstants.Apply;
import com.velmora.jvelweb.JVelWebConstants.Axis;
import com.velmora.jvelweb.JVelWebConstants.Iterations;
import com.velmora.jvelweb.JVelWebConstants.Selector;
import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The simulated device driven from Java under the manual clock: time, hand, forces and recording. */
class SimulatedDeviceTest {
    private final JVelWeb web = new JVelWeb();
    @TempDir Path folder;

    @BeforeEach
    void acquire() {
        assertEquals(0, web._jni_initialize(0));
        SimulatedDevice.useManualClock();
    }

    @AfterEach
    void release() {
        assertEquals(0, web._jni_delete());
    }

    @Test
    void aFiniteEffectStopsPlayingWhenItsTimeIsUp() {
        assertTrue(web.MakeConstant("short"));
        assertTrue(web.ChangeDuration("short", Apply.NOW, 500));
        assertTrue(web.ChangeStartDelay("short", Apply.NOW, 100));
        assertTrue(web.MakeConstant("endless"));
        assertTrue(web.StartEffect("short", 2));
        assertTrue(web.StartEffect("endless", Iterations.UNTIL_STOPPED));
        long start = SimulatedDevice.millis();
        // The delay once, then two iterations of 500 ms: playing until 1100 ms.
        SimulatedDevice.advance(1099);
        assertEquals(start + 1099, SimulatedDevice.millis());
        assertTrue(web.EffectExists("short", Selector.PLAYING), "1 ms before its end");
        assertEquals(2, web.GetNumberOfEffects(Selector.PLAYING));
        SimulatedDevice.advance(1);
        assertFalse(web.EffectExists("short", Selector.PLAYING), "at its end");
        assertTrue(web.EffectExists("short", Selector.ALL), "an ended effect still exists");
        assertEquals(1, web.GetNumberOfEffects(Selector.PLAYING));
        assertEquals("endless", web.GetNameOfEffect(Selector.PLAYING, 0));
        SimulatedDevice.advance(3_600_000);
        assertTrue(web.EffectExists("endless", Selector.PLAYING), "an effect until stopped, an hour on");
    }

    @Test
    void aSpringPullsBackTowardsItsCentreAndTheReadingsAgree() {
        assertTrue(web.MakeSpring("spring", Axis.BOTH));
        assertTrue(web.ChangeCenter("spring", Apply.NOW, 400, 300));
        assertTrue(web.ChangeCoefficient("spring", Apply.NOW, 2000, 2000));
        assertTrue(web.StartEffect("spring", Iterations.UNTIL_STOPPED));
        assertTrue(web.MakeConstant("idle"));  // made, never started: no share
        // Hand offsets from the centre, and the pull: 2000 * offset / 100, against it.
        for (int[] offset : List.of(new int[] {50, 0}, new int[] {-50, 0}, new int[] {0, 30}, new int[] {-20, -10},
                new int[] {0, 0})) {
            SimulatedDevice.moveHand(400 + offset[0], 300 + offset[1]);
            SimulatedDevice.advance(1);
            SimulatedDevice.Force expected = new SimulatedDevice.Force(-20 * offset[0], -20 * offset[1]);
            String at = "hand at " + offset[0] + ", " + offset[1] + " from the centre";
            assertEquals(expected, SimulatedDevice.force("spring"), at);
            assertEquals(expected, SimulatedDevice.force(), at + ": the total is the spring alone");
            assertEquals(expected.x(), SimulatedDevice.forceX(), at);
            assertEquals(expected.y(), SimulatedDevice.forceY("spring"), at);
            assertEquals(expected, SimulatedDevice.forceAt(400 + offset[0], 300 + offset[1]), at + ": forceAt there");
            assertEquals(new SimulatedDevice.Force(0, 0), SimulatedDevice.force("idle"), at + ": a stopped effect");
            assertEquals(new SimulatedDevice.Force(0, 0), SimulatedDevice.force("nothing"), at + ": no such effect");
        }
        assertTrue(web.StopEffect("spring", 0));
        assertEquals(new SimulatedDevice.Force(0, 0), SimulatedDevice.force("spring"), "once stopped");
    }

    @Test
    void theHandFollowsItsPathAndABadPathChangesNothing() throws IOException {
        SimulatedDevice.moveHand(100, 200);
        SimulatedDevice.advance(1);
        Path bad = Files.writeString(folder.resolve("bad.csv"), "0,500,500\n10,600,600\n5,0,0\n");
        assertThrows(IllegalArgumentException.class, () -> SimulatedDevice.followPath(bad));
        SimulatedDevice.advance(20);
        assertEquals(100, web.GetScreenPosX(), "the hand after a refused path");
        assertEquals(200, web.GetScreenPosY());

        Path good = Files.writeString(folder.resolve("good.csv"), "time_ms,x,y\n0,100,200\n100,300,200\n");
        SimulatedDevice.followPath(good);
        SimulatedDevice.advance(50);
        assertEquals(200, web.GetScreenPosX(), "half way");
        SimulatedDevice.advance(1000);
        assertEquals(300, web.GetScreenPosX(), "at the last point, where it stays");
        assertEquals(200, web.GetScreenPosY());
    }

    @Test
    void aRecordingHasARowForEachStepAndAnUnwritablePathChangesNothing() throws IOException {
        Path recording = folder.resolve("r.csv");
        SimulatedDevice.record(recording);
        SimulatedDevice.advance(10);
        // Refused: the recording running goes on.
        Path missingFolder = folder.resolve("no such folder").resolve("r.csv");
        UncheckedIOException thrown = assertThrows(UncheckedIOException.class, () -> SimulatedDevice.record(missingFolder));
        assertTrue(thrown.getMessage().startsWith("SimulatedDevice.record: " + missingFolder + " cannot be written: "
                + "the simulated device refused (0x"), thrown.getMessage());
        assertThrows(UncheckedIOException.class, () -> SimulatedDevice.record(folder));
        SimulatedDevice.advance(15);
        SimulatedDevice.stopRecording();
        SimulatedDevice.advance(25);
        SimulatedDevice.stopRecording();  // none running: nothing happens
        List<String> rows = Files.readAllLines(recording);
        long dataRows = rows.stream().filter(row -> !row.isEmpty() && Character.isDigit(row.charAt(0))).count();
        assertEquals(25, dataRows, String.join("\n", rows));
    }

    @Test
    void theRealClockRefusesToBeAdvancedInTheSimulatorsWords() {
        SimulatedDevice.useRealClock();
        IllegalStateException thrown = assertThrows(IllegalStateException.class, () -> SimulatedDevice.advance(5));
        assertTrue(thrown.getMessage().startsWith("SimulatedDevice.advance: the simulated device refused (0x8000FFFF): "),
                thrown.getMessage());
        assertTrue(thrown.getMessage().length() > "SimulatedDevice.advance: the simulated device refused (0x8000FFFF): ".length(),
                "the simulator's description is in the message");
    }
}
