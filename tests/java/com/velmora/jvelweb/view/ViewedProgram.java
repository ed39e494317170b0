package com.velmora.jvelweb.view;

import com.velmora.jvelweb.JVelWeb;
import com.velmora.jvelweb.sim.SimulatedDevice;
import java.io.BufferedReader;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;

/**
 * The program the view's tests watch: a JVM started with -Djvelweb.sim.view=0
 * that plays an enclosure and a periodic effect under the manual clock (or,
 * with "many", 100 mixed effects under the real clock, for the benchmark),
 * and answers one command a line on stdin: "force" prints "fx fy" from
 * SimulatedDevice, "record PATH MS" records MS ms of device time, "quit".
 */
public final class ViewedProgram {
    static final int LEFT = 760, TOP = 340, SIDE = 400;

    public static void main(String[] args) throws Exception {
        JVelWeb web = new JVelWeb();
        if (web._jni_initialize(0) != 0) throw new IllegalStateException("no plug-in");
        boolean many = args.length > 0 && args[0].equals("many");
        if (many) playMany(web); else playWallAndBuzz(web);
        System.out.println("ready");
        System.out.flush();
        BufferedReader in = new BufferedReader(new InputStreamReader(System.in, StandardCharsets.UTF_8));
        for (String line; (line = in.readLine()) != null; ) {
            String[] words = line.trim().split(" ");
            switch (words[0]) {
                case "force":
                    System.out.println(SimulatedDevice.forceX() + " " + SimulatedDevice.forceY());
                    break;
                case "record":
                    SimulatedDevice.record(Path.of(words[1]));
                    for (long t = 0, end = Long.parseLong(words[2]); t < end; t += 10) {
                        SimulatedDevice.moveHand(LEFT + SIDE / 2 + (int) (t * SIDE / end), TOP + SIDE / 2);
                        SimulatedDevice.advance(10);
                    }
                    SimulatedDevice.stopRecording();
                    System.out.println("recorded");
                    break;
                case "quit":
                    web._jni_delete();
                    return;
                default:
                    System.out.println("unknown " + line);
            }
            System.out.flush();
        }
    }

    /** A holding enclosure around the screen's middle and an upward sine under the manual clock. */
    private static void playWallAndBuzz(JVelWeb web) {
        SimulatedDevice.useManualClock();
        SimulatedDevice.moveHand(LEFT + SIDE / 2, TOP + SIDE / 2);
        check(web.MakeEnclosure("wall") && web.ChangeRectangle("wall", 1, LEFT, TOP, SIDE, SIDE)
                && web.ChangeStiffness("wall", 1, 6000, 6000) && web.ChangeSaturation("wall", 1, 10000, 10000)
                && web.ChangeThickness("wall", 1, 40, 40) && web.ChangeStiffnessMask("wall", 1, 15)
                && web.ChangeClippingMask("wall", 1, 15) && web.StartEffect("wall", -1));
        check(web.MakePeriodic("buzz", 0) && web.ChangeMagnitude("buzz", 1, 3000, 3000)
                && web.ChangePeriod("buzz", 1, 1000) && web.ChangeDirectionPolar("buzz", 1, 0)
                && web.StartEffect("buzz", -1));
        SimulatedDevice.advance(250);  // the sine at its peak: a steady upward share
    }

    /** 100 effects of mixed kinds under the real clock, for the view's benchmark. */
    private static void playMany(JVelWeb web) {
        SimulatedDevice.moveHand(960, 540);
        for (int i = 0; i < 100; i++) {
            String name = "effect " + i;
            switch (i % 4) {
                case 0:
                    check(web.MakePeriodic(name, i % 5) && web.ChangeMagnitude(name, 1, 80, 80)
                            && web.ChangePeriod(name, 1, 300 + 10 * i) && web.ChangeDirectionPolar(name, 1, i * 360));
                    break;
                case 1:
                    check(web.MakeEnclosure(name) && web.ChangeRectangle(name, 1, 20 * i, 10 * i, 300, 200)
                            && web.ChangeStiffness(name, 1, 100, 100) && web.ChangeThickness(name, 1, 10, 10));
                    break;
                case 2:
                    check(web.MakeSpring(name, 0) && web.ChangeCenter(name, 1, 19 * i, 10 * i)
                            && web.ChangeCoefficient(name, 1, 10, 10));
                    break;
                default:
                    check(web.MakeConstant(name) && web.ChangeMagnitude(name, 1, 50, 50)
                            && web.ChangeDirectionPolar(name, 1, i * 100));
            }
            check(web.StartEffect(name, -1));
        }
    }

    private static void check(boolean done) {
        if (!done) throw new IllegalStateException("the simulated plug-in refused a call");
    }

    private ViewedProgram() {}
}
