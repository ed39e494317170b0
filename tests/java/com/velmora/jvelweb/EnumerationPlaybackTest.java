package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.Catalog.Kind;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Enumeration in creation order, resources and compounds, and playback. */
class EnumerationPlaybackTest extends PluginSession {

    List<String> names(int selector) {
        List<String> names = new ArrayList<>();
        int count = web.GetNumberOfEffects(selector);
        for (int i = 0; i < count; i++) {
            names.add(web.GetNameOfEffect(selector, i));
        }
        assertEquals("", web.GetNameOfEffect(selector, count), "GetNameOfEffect(" + selector + ", " + count + ")");
        return names;
    }

    List<String> members(String compound, int selector) {
        List<String> names = new ArrayList<>();
        int count = web.GetNumberOfEffectsInCompound(compound, selector);
        for (int i = 0; i < count; i++) {
            names.add(web.GetNameOfEffectInCompound(compound, selector, i));
        }
        assertEquals("", web.GetNameOfEffectInCompound(compound, selector, count),
                "member " + count + " of " + compound);
        return names;
    }

    @Test
    void effectsAreListedInCreationOrder() {
        assertEquals(List.of(), names(0), "a fresh plug-in");
        List<String> made = List.of("zeta", "alpha", "Alpha", "mid", "a");
        for (int i = 0; i < made.size(); i++) {
            Kind kind = Kind.values()[i * 2];
            assertTrue(kind.make(web, made.get(i), 0), kind.maker() + "(" + made.get(i) + ")");
        }
        assertEquals(made, names(0));
        assertEquals(List.of(), names(1), "nothing is playing");
    }

    @Test
    void demoResourceMakesItsEffectsAndCompounds() {
        openDemo();
        assertEquals(Catalog.DEMO_EFFECTS, names(0));
        for (Kind kind : Kind.values()) {
            assertEquals(kind.typeName, web.GetEffectTypeName(kind.demoEffect, 0), "kind of " + kind.demoEffect);
        }
        assertEquals("Compound", web.GetEffectTypeName("push and buzz", 0));
        assertEquals(Catalog.DEMO_COMPOUND_MEMBERS, members("push and buzz", 0));
        assertEquals(List.of("syrup"), members("pen", 0), "the enclosure's inside effect");
        assertEquals(List.of(), members("round well", 0), "an ellipse without inside effect");
        assertEquals(List.of(), members("push", 0), "a constant");
        for (String parameter : new String[] {"Gain", "Duration", "StartDelay", "Magnitude"}) {
            assertFalse(web.EffectSupportsGet("push and buzz", 0, parameter), "a compound supports Get " + parameter);
            assertFalse(web.EffectSupportsChange("push and buzz", 0, parameter),
                    "a compound supports Change " + parameter);
        }
        assertEquals(-99, web.GetGain("push and buzz", 0), "GetGain of a compound");

        // Values the file sets, read back.
        int[][] read = {
            {web.GetDirectionX("push", 0), 10000}, {web.GetDirectionY("push", 0), 0},
            {web.GetMagnitude2("push", 0), 6000}, {web.GetEnvelopeFadeTime("push", 0), 300},
            {web.GetDuration("push", 0), 500}, {web.GetDirectionPolar("swell", 0), 0},
            {web.GetMagnitude2("swell", 0), 8000}, {web.GetWaveform("buzz", 0), 1}, {web.GetPeriod("buzz", 0), 40},
            {web.GetAxis("centering", 0), 0}, {web.GetCoefficientNegativeY("centering", 0), 5000},
            {web.GetDeadBandY("centering", 0), 20}, {web.GetAxis("syrup", 0), 1}, {web.GetAxis("grit", 0), 2},
            {web.GetMinimumY("grit", 0), 200}, {web.GetCoefficientPositiveX("mass", 0), 0},
            {web.GetCoefficientPositiveY("mass", 0), 2500}, {web.GetRectangleWidth("pen", 0), 400},
            {web.GetStiffness2("pen", 0), 3000}, {web.GetSaturation("round well", 0), 9000},
            {web.GetSpacingY("lattice", 0), 40}, {web.GetThicknessNegativeX("sandpaper", 0), 2},
        };
        for (int i = 0; i < read.length; i++) {
            assertEquals(read[i][1], read[i][0], "value " + i + " of the demo table");
        }
        assertEquals(-99, web.OpenForceResource(Catalog.demoResource()), "opening demo.vel a second time");
        assertEquals(12, web.GetNumberOfEffects(0), "effects after the refused second open");
    }

    @Test
    void resourcePathsMayBeRelativeOrNonAscii(@TempDir Path temp) throws Exception {
        Path demo = Paths.get(Catalog.demoResource());
        Path unusual = Files.createDirectories(temp.resolve("r\u00e9sum\u00e9 \u65e5\u672c \ud83d\ude00"));
        Files.copy(demo, unusual.resolve("d\u00e9mo.vel"));
        assertEquals(12, web.OpenForceResource(unusual.resolve("d\u00e9mo.vel").toString()), "non-ASCII path");
        assertEquals(0, web._jni_delete());
        assertEquals(0, web._jni_initialize(0));
        String relative = Paths.get("").toAbsolutePath().relativize(demo.toAbsolutePath()).toString();
        assertEquals(12, web.OpenForceResource(relative), "relative path " + relative);
    }

    @Test
    void startedEffectsPlayUntilStopped() {
        assertTrue(web.MakeConstant("a"));
        assertTrue(web.MakeSpring("b", 0));
        assertTrue(web.MakeGrid("c", 1));
        assertTrue(web.StartEffect("a", 1), "StartEffect(a, 1)");
        assertTrue(web.EffectExists("a", 1), "a is playing");
        assertFalse(web.EffectExists("b", 1), "b is not playing");
        assertTrue(web.EffectExists("b", 0), "b exists");
        assertTrue(web.StartEffect2("c", -1, 250, 5000), "StartEffect2(c, -1, 250, 5000)");
        assertTrue(web.StartEffect("b", Integer.MAX_VALUE), "StartEffect(b, MAX_VALUE)");
        assertEquals(List.of("a", "b", "c"), names(1), "playing, in creation order");
        assertEquals(250, web.GetStartDelay("c", 0), "StartDelay set by StartEffect2");
        assertEquals(5000, web.GetGain("c", 0), "Gain set by StartEffect2");
        assertTrue(web.StopEffect("b", 12345), "StopEffect(b)");
        assertTrue(web.StopEffect("b", 0), "stopping an effect that is not playing");
        assertEquals(List.of("a", "c"), names(1));
        assertTrue(web.StopEffects(), "StopEffects()");
        assertEquals(List.of(), names(1), "after StopEffects");
        assertTrue(web.StopEffects(), "StopEffects() with nothing playing");
        assertEquals(3, web.GetNumberOfEffects(0), "stopping destroys nothing");
    }

    @Test
    void compoundsStartAndStopTheirMembersButShapesNotTheirInsideEffect() {
        openDemo();
        assertTrue(web.StartEffect("push", 1));
        assertEquals(List.of("push"), members("push and buzz", 1), "playing members");
        assertTrue(web.StartEffect2("push and buzz", 3, 100, 2000), "StartEffect2 on the compound");
        assertEquals(List.of("push", "buzz", "push and buzz"), names(1));
        assertEquals(Catalog.DEMO_COMPOUND_MEMBERS, members("push and buzz", 1));
        for (String member : Catalog.DEMO_COMPOUND_MEMBERS) {
            assertEquals(100, web.GetStartDelay(member, 0), "StartDelay of member " + member);
            assertEquals(2000, web.GetGain(member, 0), "Gain of member " + member);
        }
        assertTrue(web.StopEffect("push and buzz", 0));
        assertEquals(List.of(), names(1), "after stopping the compound");
        assertTrue(web.StartEffect("pen", -1));
        assertEquals(List.of("pen"), names(1), "a shape starts without its inside effect");
        assertEquals(List.of(), members("pen", 1), "the shape's playing members");
    }
}
