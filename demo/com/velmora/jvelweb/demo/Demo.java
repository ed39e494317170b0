package com.velmora.jvelweb.demo;

import com.velmora.jvelweb.JVelWeb;
import java.util.ArrayList;
import java.util.List;

/**
 * Drives the plug-in through every family of natives and prints what it
 * answers: versions, device, a force resource, one effect of each kind with
 * parameters changed and read back, playback, enumeration, the page switches.
 * Exits with status 0 when every step gave the expected answer.
 *
 * <p>Usage: {@code java -cp jvelweb-<version>.jar:jvelweb-demo.jar
 * com.velmora.jvelweb.demo.Demo [resource.vel]}
 */
public final class Demo {
    private final JVelWeb web = new JVelWeb();
    private final List<String> failures = new ArrayList<>();

    public static void main(String[] args) {
        Demo demo = new Demo();
        demo.run(args.length > 0 ? args[0] : "simulator/samples/demo.vel");
        if (!demo.failures.isEmpty()) {
            System.out.println();
            System.out.println("FAILED steps: " + demo.failures);
            System.exit(1);
        }
        System.out.println();
        System.out.println("All steps succeeded.");
    }

    private void check(String step, boolean ok) {
        System.out.printf("  %-58s %s%n", step, ok ? "ok" : "FAILED");
        if (!ok) {
            failures.add(step);
        }
    }

    private void heading(String title) {
        System.out.println();
        System.out.println(title);
    }

    private void run(String resource) {
        heading("Acquire the plug-in");
        check("_jni_initialize(7) returns 0", web._jni_initialize(7) == 0);
        check("a second _jni_initialize returns -1", web._jni_initialize(7) == -1);

        heading("Versions");
        System.out.println("  plug-in " + web.GetPluginVersion() + ", Korrin " + web.GetKorrinVersion()
                + ", VelAPI " + web.GetVelAPIVersion() + ", DX " + web.GetDXVersion()
                + ", driver " + web.GetDriverVersion() + ", Torvex " + web.GetTorvexVersion());
        check("the plug-in has a version", !web.GetPluginVersion().isEmpty());

        heading("Device");
        System.out.println("  " + web.GetDeviceProductName() + ": type " + web.GetDeviceType() + " ("
                + web.GetDeviceTypeName() + "), technology " + web.GetDeviceTechnology() + " ("
                + web.GetDeviceTechnologyName() + ")");
        System.out.println("  device at (" + web.GetDevicePosX() + ", " + web.GetDevicePosY() + "), screen at ("
                + web.GetScreenPosX() + ", " + web.GetScreenPosY() + "), cursor at (" + web.GetCursorPosX()
                + ", " + web.GetCursorPosY() + ")");
        check("a Vibrona device is attached", web.VibronaDeviceAttached());
        check("the device flag is the one given at acquisition", web.GetDeviceFlag() == 7);

        heading("Force resource " + resource);
        int loaded = web.OpenForceResource(resource);
        System.out.println("  effects loaded: " + loaded);
        check("OpenForceResource loads its effects", loaded > 0);

        heading("One effect of each kind");
        check("MakeConstant", web.MakeConstant("my constant"));
        check("MakeRamp", web.MakeRamp("my ramp"));
        check("MakePeriodic, triangle wave", web.MakePeriodic("my periodic", 2));
        check("MakeDamper, both axes", web.MakeDamper("my damper", 0));
        check("MakeFriction, X only", web.MakeFriction("my friction", 1));
        check("MakeInertia, Y only", web.MakeInertia("my inertia", 2));
        check("MakeSpring, both axes", web.MakeSpring("my spring", 0));
        check("MakeEllipse", web.MakeEllipse("my ellipse"));
        check("MakeEnclosure", web.MakeEnclosure("my enclosure"));
        check("MakeGrid", web.MakeGrid("my grid", 0));
        check("MakeTexture", web.MakeTexture("my texture \u00e9\ud83d\ude00", 0));
        check("a taken name is refused (false)", !web.MakeSpring("my spring", 0));

        heading("Change parameters and read them back");
        check("ChangeMagnitude / GetMagnitude, GetMagnitude2", web.ChangeMagnitude("my constant", 0, 2500, -2500)
                && web.GetMagnitude("my constant", 0) == 2500 && web.GetMagnitude2("my constant", 0) == -2500);
        check("ChangeEnvelope / GetEnvelope*", web.ChangeEnvelope("my ramp", 0, 100, 20, 300, 40)
                && web.GetEnvelopeAttackLevel("my ramp", 0) == 100 && web.GetEnvelopeFadeTime("my ramp", 0) == 40);
        check("ChangePeriod / GetPeriod", web.ChangePeriod("my periodic", 0, 25) && web.GetPeriod("my periodic", 0) == 25);
        check("GetWaveform reports the creation value", web.GetWaveform("my periodic", 0) == 2);
        check("ChangeCoefficientX / GetCoefficientPositiveX, NegativeX",
                web.ChangeCoefficientX("my spring", 0, 4000, -3000)
                        && web.GetCoefficientPositiveX("my spring", 0) == 4000
                        && web.GetCoefficientNegativeX("my spring", 0) == -3000);
        check("ChangeCenter / GetCenterX, GetCenterY", web.ChangeCenter("my spring", 0, 640, 480)
                && web.GetCenterX("my spring", 0) == 640 && web.GetCenterY("my spring", 0) == 480);
        check("ChangeRectangle / GetRectangle*", web.ChangeRectangle("my enclosure", 0, 10, 20, 300, 200)
                && web.GetRectangleWidth("my enclosure", 0) == 300 && web.GetRectangleTop("my enclosure", 0) == 20);
        check("ChangeInsideEffect puts a member in the enclosure",
                web.ChangeInsideEffect("my enclosure", 0, "my damper", 0)
                        && web.GetNumberOfEffectsInCompound("my enclosure", 0) == 1);
        check("ChangeSpacing / GetSpacingX, GetSpacingY", web.ChangeSpacing("my grid", 0, 32, 16)
                && web.GetSpacingX("my grid", 0) == 32 && web.GetSpacingY("my grid", 0) == 16);
        check("ChangeThicknessY / GetThicknessPositiveY", web.ChangeThicknessY("my texture \u00e9\ud83d\ude00", 0, 3, 4)
                && web.GetThicknessPositiveY("my texture \u00e9\ud83d\ude00", 0) == 3);
        check("an out-of-range gain is refused (false)", !web.ChangeGain("my constant", 0, 20000));
        check("a parameter the kind lacks reads as -99", web.GetCenterX("my constant", 0) == -99);
        check("EffectSupportsChange(spring, Center)", web.EffectSupportsChange("my spring", 0, "Center"));
        check("EffectSupportsGet(constant, Center) is false", !web.EffectSupportsGet("my constant", 0, "Center"));

        heading("Playback");
        check("StartEffect(spring, 1)", web.StartEffect("my spring", 1));
        check("StartEffect2(periodic, until stopped, delay 10, gain 8000)", web.StartEffect2("my periodic", -1, 10, 8000));
        check("the spring is playing", web.EffectExists("my spring", 1));
        System.out.println("  playing now: " + web.GetNumberOfEffects(1));
        check("StopEffect(spring)", web.StopEffect("my spring", 0) && !web.EffectExists("my spring", 1));
        check("StopEffects", web.StopEffects() && web.GetNumberOfEffects(1) == 0);

        heading("Effects held by the plug-in");
        int count = web.GetNumberOfEffects(0);
        for (int i = 0; i < count; i++) {
            String name = web.GetNameOfEffect(0, i);
            int members = web.GetNumberOfEffectsInCompound(name, 0);
            StringBuilder line = new StringBuilder(String.format("  %2d  %-24s %s", i, name, web.GetEffectTypeName(name, 0)));
            for (int m = 0; m < members; m++) {
                line.append(m == 0 ? "  members: " : ", ").append(web.GetNameOfEffectInCompound(name, 0, m));
            }
            System.out.println(line);
        }
        check("every effect is listed", count == loaded + 11);

        heading("Page switches");
        check("EnableHyperlinks(false) / GetHyperlinksEnabled", web.EnableHyperlinks(false) && !web.GetHyperlinksEnabled());
        check("EnableFormContent(true) / GetFormContentEnabled", web.EnableFormContent(true) && web.GetFormContentEnabled());
        System.out.println("  last plug-in error: 0x" + Integer.toHexString(web.GetLastError()));

        heading("Release the plug-in");
        check("_jni_delete returns 0", web._jni_delete() == 0);
        check("without a plug-in, natives give their failure values",
                web.GetNumberOfEffects(0) == -99 && web.GetPluginVersion().isEmpty() && !web.StopEffects());
    }
}
