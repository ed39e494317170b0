package com.velmora.jvelweb.sim;

import java.nio.file.FileSystems;
import java.nio.file.Path;
import java.util.Objects;

/**
 * Drives and observes the simulated device behind the bundled simulated
 * plug-in: its clock, the user's hand, the forces it computes, and a
 * recording of them. Nothing here reaches a real device; with a real plug-in
 * every method but {@link #isSimulated()} refuses.
 *
 * <p>It acts on the plug-in that {@link com.velmora.jvelweb.JVelWeb#_jni_initialize(int)}
 * acquired, the one plug-in of the process, and may be called from any thread.
 *
 * <h2 id="units">Units</h2>
 * Positions are screen pixels (x grows to the right, y downwards); forces are
 * device units, -10000 to 10000 per axis, and point where they push; times are
 * milliseconds of the device's clock.
 *
 * <h2 id="failures">Failures</h2>
 * Arguments are checked first: a null argument throws
 * {@link NullPointerException}, a bad value {@link IllegalArgumentException},
 * a file that cannot be read or written {@link java.io.UncheckedIOException}.
 * Then, with no plug-in held or a plug-in that is not the simulated one, every
 * method but {@link #isSimulated()} throws {@link IllegalStateException} naming
 * the cause. An argument the device refuses throws
 * {@link IllegalArgumentException} with the device's own words. A method that
 * throws changes nothing.
 */
public final class SimulatedDevice {
    /** The largest hand path file {@link #followPath(Path)} reads: 8 MiB. */
    public static final long MAX_PATH_FILE_BYTES = 8L << 20;

    static {
        // The natives live in JVelWeb's library, which its class loads once.
        try {
            Class.forName("com.velmora.jvelweb.JVelWeb", true, SimulatedDevice.class.getClassLoader());
        } catch (ClassNotFoundException e) {
            throw new ExceptionInInitializerError(e);
        }
    }

    private SimulatedDevice() {}

    /**
     * A force: both axes at one moment, in device units.
     *
     * @param x the horizontal part, positive to the right, -10000 to 10000
     * @param y the vertical part, positive downwards, -10000 to 10000
     */
    public record Force(int x, int y) {}

    /**
     * Whether the plug-in held is the simulated one, so the other methods work.
     *
     * @return true when a plug-in is held and offers the simulated device's control interface; false
     *     otherwise, never an exception
     */
    public static boolean isSimulated() {
        return offersControl();
    }

    // ---- The clock ----

    /**
     * Switches to the manual clock: the device's time stands still until
     * {@link #advance(long)} moves it, so a test is exact and never sleeps. The
     * time goes on from where the real clock had it.
     *
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static void useManualClock() {
        try {
            manualClock();
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("useManualClock");
        }
    }

    /**
     * Switches back to the real clock (a steady clock, the default): the
     * device's time runs with the wall clock from where the manual clock left it.
     *
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static void useRealClock() {
        try {
            realClock();
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("useRealClock");
        }
    }

    /**
     * Moves the manual clock on by {@code millis} ms. The device steps through
     * every 1 ms of it: effects start, fade and end, the hand follows its
     * path, and a recording gets a row for each step.
     *
     * @param millis how far, in ms; 0 does nothing
     * @throws IllegalArgumentException when {@code millis} is negative
     * @throws IllegalStateException with no simulated plug-in held, or under the real clock
     */
    public static void advance(long millis) {
        if (millis < 0) throw new IllegalArgumentException("SimulatedDevice.advance: " + millis + " ms is negative");
        try {
            advanceClock(millis);
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("advance");
        }
    }

    /**
     * The device's time now.
     *
     * @return ms of the device's clock
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static long millis() {
        try {
            return clockMillis();
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("millis");
        }
    }

    // ---- The hand ----

    /**
     * Puts the user's hand at a point and keeps it there. The handle (what
     * the device reports as its position) follows it unless a wall holds it.
     *
     * @param x screen pixels from the left
     * @param y screen pixels from the top
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static void moveHand(int x, int y) {
        try {
            moveHandTo(x, y);
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("moveHand");
        }
    }

    /**
     * Moves the hand along a path read from a CSV file. Each line is
     * {@code time,x,y}: whole numbers, the time in ms from this call, x and y
     * in screen pixels. Times may repeat but never go back. Blank lines and
     * lines starting with {@code #} are skipped; the first other line may be a
     * header starting with a letter ({@code time_ms,x,y}). The file is UTF-8
     * (a byte-order mark is skipped), at most {@link #MAX_PATH_FILE_BYTES},
     * with at least one point. The device
     * moves the hand in straight lines between points, and leaves it at the
     * last point when the path ends.
     *
     * <pre>
     * # a 200 px stroke to the right, and back
     * time_ms,x,y
     * 0,100,300
     * 500,300,300
     * 1000,100,300
     * </pre>
     *
     * @param csv the path file
     * @throws java.io.UncheckedIOException when the file is missing, not a regular file, or cannot be read
     * @throws IllegalArgumentException when it is too large, not UTF-8, has no point, has a malformed line
     *     (the message names it), or its times go back
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static void followPath(Path csv) {
        Objects.requireNonNull(csv, "csv");
        HandPath path = HandPath.read(csv);
        try {
            followPoints(path.count, path.times, path.xs, path.ys);
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("followPath");
        }
    }

    /**
     * Gives the hand back to the default program: a circle whose position
     * moves on by 3 degrees each time the device's X position is read.
     *
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static void useCircleHand() {
        try {
            circleHand();
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("useCircleHand");
        }
    }

    // ---- Forces ----

    /**
     * The total force now, both axes of the same moment: the playing effects'
     * forces added, the gain applied, and clipped to the device's limit.
     *
     * @return the force in device units
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static Force force() {
        try {
            return unpack(totalForce());
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("force");
        }
    }

    /**
     * The horizontal part of the total force now; under the real clock,
     * {@link #force()} reads both axes at one moment.
     *
     * @return device units, -10000 to 10000, positive to the right
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static int forceX() {
        return force().x();
    }

    /**
     * The vertical part of the total force now.
     *
     * @return device units, -10000 to 10000, positive downwards
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static int forceY() {
        return force().y();
    }

    /**
     * One effect's share of the force now.
     *
     * @param effect the name the effect was made under
     * @return the force in device units; 0, 0 when the effect is not playing or does not exist
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static Force force(String effect) {
        Objects.requireNonNull(effect, "effect");
        try {
            return unpack(effectForce(effect));
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("force");
        }
    }

    /**
     * The horizontal part of one effect's share of the force now.
     *
     * @param effect the name the effect was made under
     * @return device units, positive to the right; 0 when the effect is not playing or does not exist
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static int forceX(String effect) {
        return force(effect).x();
    }

    /**
     * The vertical part of one effect's share of the force now.
     *
     * @param effect the name the effect was made under
     * @return device units, positive downwards; 0 when the effect is not playing or does not exist
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static int forceY(String effect) {
        return force(effect).y();
    }

    /**
     * The total force the playing effects would give a handle held still at
     * a point, now; nothing moves (what a force-field picture draws).
     *
     * @param x screen pixels from the left
     * @param y screen pixels from the top
     * @return the force in device units
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static Force forceAt(int x, int y) {
        try {
            return unpack(forceAtPoint(x, y));
        } catch (DeviceRefusal refusal) {
            throw refusal.toException("forceAt");
        }
    }

    // ---- The recorder ----

    /**
     * Starts recording to a CSV file, replacing it: a row for each 1 ms step of
     * the device's time (under the manual clock too) with the time, the hand,
     * the handle, the total force and each playing effect's force. A
     * recording already running stops first.
     *
     * @param csv the file to write; on the default file system
     * @throws IllegalArgumentException when {@code csv} is on another file system
     * @throws java.io.UncheckedIOException when the file cannot be written
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static void record(Path csv) {
        Objects.requireNonNull(csv, "csv");
        if (csv.getFileSystem() != FileSystems.getDefault()) {
            throw new IllegalArgumentException("SimulatedDevice.record: " + csv + " is not on the default file system");
        }
        try {
            startRecording(csv.toAbsolutePath().toString());
        } catch (DeviceRefusal refusal) {
            throw refusal.toFileException("record", csv.toString());
        }
    }

    /**
     * Stops the recording and closes its file; nothing happens when none runs.
     *
     * @throws java.io.UncheckedIOException when the recording could not be written in full
     * @throws IllegalStateException with no simulated plug-in held
     */
    public static void stopRecording() {
        try {
            endRecording();
        } catch (DeviceRefusal refusal) {
            throw refusal.toFileException("stopRecording", "the recording");
        }
    }

    // x in the high 32 bits, y in the low: one native call gives one moment.
    private static Force unpack(long pair) {
        return new Force((int) (pair >> 32), (int) pair);
    }

    // ---- Natives: each reaches the control interface of the plug-in held ----
    private static native boolean offersControl();
    private static native void manualClock() throws DeviceRefusal;
    private static native void realClock() throws DeviceRefusal;
    private static native void advanceClock(long millis) throws DeviceRefusal;
    private static native long clockMillis() throws DeviceRefusal;
    private static native void moveHandTo(int x, int y) throws DeviceRefusal;
    private static native void followPoints(int count, int[] times, int[] xs, int[] ys) throws DeviceRefusal;
    private static native void circleHand() throws DeviceRefusal;
    private static native long totalForce() throws DeviceRefusal;
    private static native long effectForce(String effect) throws DeviceRefusal;
    private static native long forceAtPoint(int x, int y) throws DeviceRefusal;
    private static native void startRecording(String file) throws DeviceRefusal;
    private static native void endRecording() throws DeviceRefusal;
}
