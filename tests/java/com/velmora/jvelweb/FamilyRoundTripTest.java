package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.Catalog.Change;
import com.velmora.jvelweb.Catalog.Kind;
import java.lang.reflect.Method;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeSet;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.EnumSource;
import org.junit.jupiter.params.provider.MethodSource;

/** Making every kind, and every change read back through its queries. */
class FamilyRoundTripTest extends PluginSession {

    /**
     * change, kind, apply flag, values : query=expected... Every query of the
     * kind that is not listed must still read its default afterwards.
     */
    static final String[] ROUND_TRIPS = {
        "Center Spring 0 -123456 98765 : CenterX=-123456 CenterY=98765",
        "Center Grid 1 2147483647 -2147483648 : CenterX=2147483647 CenterY=-2147483648",
        "ClippingMask Ellipse -1 13 : ClippingMask=13",
        "Coefficient Damper -2147483648 7000 -3000 : CoefficientPositiveX=7000 CoefficientPositiveY=7000"
            + " CoefficientNegativeX=-3000 CoefficientNegativeY=-3000",
        "CoefficientX Friction 1 10000 -10000 : CoefficientPositiveX=10000 CoefficientNegativeX=-10000",
        "CoefficientY Inertia 2 -10000 2500 : CoefficientPositiveY=-10000 CoefficientNegativeY=2500",
        "DeadBand Spring 0 250 : DeadBandX=250 DeadBandY=250",
        "DeadBandX Damper 0 10000 : DeadBandX=10000",
        "DeadBandY Damper 0 1 : DeadBandY=1",
        "Direction Constant 0 0 5 : DirectionX=0 DirectionY=5 DirectionPolar=18000",
        "Direction Periodic 2147483647 -3 0 : DirectionX=-3 DirectionY=0 DirectionPolar=27000",
        "Direction Ramp 0 7 -7 : DirectionX=7 DirectionY=-7 DirectionPolar=4500",
        "DirectionPolar Ramp 0 0 : DirectionPolar=0 DirectionX=0 DirectionY=-10000",
        "DirectionPolar Constant 1 27000 : DirectionPolar=27000 DirectionX=-10000 DirectionY=0",
        "DirectionPolar Periodic 0 13500 : DirectionPolar=13500 DirectionX=7071 DirectionY=7071",
        "Duration Ramp 0 123456 : Duration=123456",
        "Envelope Periodic 0 10000 250 1 0 : EnvelopeAttackLevel=10000 EnvelopeAttackTime=250"
            + " EnvelopeFadeLevel=1 EnvelopeFadeTime=0",
        "Envelope Constant 0 0 2147483647 10000 77 : EnvelopeAttackLevel=0 EnvelopeAttackTime=2147483647"
            + " EnvelopeFadeLevel=10000 EnvelopeFadeTime=77",
        "Gain Texture 0 0 : Gain=0",
        "Magnitude Constant 0 -10000 10000 : Magnitude=-10000 Magnitude2=10000",
        "MagnitudeX Texture 0 5 -6 : MagnitudePositiveX=5 MagnitudeNegativeX=-6",
        "MagnitudeY Texture 0 -7 8 : MagnitudePositiveY=-7 MagnitudeNegativeY=8",
        "Minimum Friction 0 9999 : MinimumX=9999 MinimumY=9999",
        "MinimumX Damper 0 3 : MinimumX=3",
        "MinimumY Spring 0 4 : MinimumY=4",
        "Offset Periodic 0 -10000 42 : Offset=-10000 Offset2=42",
        "Period Periodic 0 1 : Period=1",
        "Phase Periodic 0 35999 : Phase=35999",
        "Rectangle Ellipse 0 -5 -6 0 2147483647 : RectangleLeft=-5 RectangleTop=-6 RectangleWidth=0"
            + " RectangleHeight=2147483647",
        "Rectangle Enclosure 0 200 150 400 300 : RectangleLeft=200 RectangleTop=150 RectangleWidth=400"
            + " RectangleHeight=300",
        "Saturation Enclosure 0 10000 1 : Saturation=10000 Saturation2=1",
        "SaturationX Spring 0 9 10 : SaturationPositiveX=9 SaturationNegativeX=10",
        "SaturationY Damper 0 11 12 : SaturationPositiveY=11 SaturationNegativeY=12",
        "Spacing Grid 0 40 2147483647 : SpacingX=40 SpacingY=2147483647",
        "SpacingX Texture 0 13 14 : SpacingPositiveX=13 SpacingNegativeX=14",
        "SpacingY Texture 0 15 16 : SpacingPositiveY=15 SpacingNegativeY=16",
        "StartDelay Grid 0 2147483647 : StartDelay=2147483647",
        "Stiffness Ellipse 0 0 10000 : Stiffness=0 Stiffness2=10000",
        "StiffnessMask Enclosure 0 15 : StiffnessMask=15",
        "Strength Grid 0 3000 10000 :",
        "Thickness Enclosure 0 10 5 : Thickness=10 Thickness2=5",
        "Thickness Grid 0 2 3 : Thickness=2 Thickness2=3",
        "ThicknessX Texture 0 17 18 : ThicknessPositiveX=17 ThicknessNegativeX=18",
        "ThicknessY Texture 0 19 20 : ThicknessPositiveY=19 ThicknessNegativeY=20",
        "Viscosity Ellipse 0 2000 :",
    };

    static Stream<String> roundTrips() {
        return Stream.of(ROUND_TRIPS);
    }

    @ParameterizedTest
    @MethodSource("roundTrips")
    void changeReadsBackThroughItsQueries(String row) {
        String[] sides = row.split(":", -1);
        String[] head = sides[0].trim().split(" ");
        Kind kind = Kind.named(head[1]);
        assertTrue(kind.make(web, "target", 0), kind.maker() + "(target, 0)");
        Object[] arguments = new Object[head.length - 1];
        arguments[0] = "target";
        for (int i = 2; i < head.length; i++) {
            arguments[i - 1] = Integer.parseInt(head[i]);
        }
        Method change = Natives.find("Change" + head[0]);
        assertEquals(true, Natives.invoke(web, change, arguments), Natives.describe(change, arguments));

        Map<String, Integer> expected = new LinkedHashMap<>();
        for (String pair : sides[1].trim().split(" ")) {
            if (!pair.isEmpty()) {
                expected.put(pair.split("=")[0], Integer.parseInt(pair.split("=")[1]));
            }
        }
        List<String> wrong = new ArrayList<>();
        for (String query : Catalog.queries()) {
            if (!kind.parameters.contains(Catalog.parameterOfQuery(query))) {
                continue;
            }
            int want = expected.getOrDefault(query, Catalog.defaultOf(query));
            int got = (Integer) call("Get" + query, "target", 0);
            if (got != want) {
                wrong.add("Get" + query + " = " + got + ", expected " + want);
            }
        }
        assertTrue(wrong.isEmpty(), "after " + Natives.describe(change, arguments) + ": " + wrong);
    }

    @Test
    void roundTripsCoverEveryChangeNative() {
        Set<String> covered = new TreeSet<>();
        for (String row : ROUND_TRIPS) {
            String[] head = row.split(":")[0].trim().split(" ");
            covered.add(head[0]);
            Change change = Catalog.CHANGES.get(head[0]);
            assertEquals(change.ranges.length(), head.length - 3, "number of values in row " + row);
            assertTrue(change.supportedBy(Kind.named(head[1])), "row uses a kind that has the parameter: " + row);
        }
        covered.add("InsideEffect");  // takes a name: its own test below
        Set<String> natives = Natives.all().stream().map(Method::getName).filter(n -> n.startsWith("Change"))
                .map(n -> n.substring(6)).collect(Collectors.toCollection(TreeSet::new));
        assertEquals(38, natives.size(), "Change natives " + natives);
        assertEquals(natives, covered);
        for (Change change : Catalog.CHANGES.values()) {
            assertEquals(change.ranges.length() + 2, Natives.find(change.nativeName()).getParameterCount(),
                    change.nativeName() + " parameter count");
        }
    }

    @Test
    void insideEffectIsListedAsTheShapesMember() {
        assertTrue(web.MakeEnclosure("box"));
        assertTrue(web.MakeEllipse("ring"));
        assertTrue(web.MakeDamper("goo", 1));
        assertTrue(web.MakeTexture("rough", 2));
        assertEquals(0, web.GetNumberOfEffectsInCompound("box", 0), "members of a shape with no inside effect");
        assertTrue(web.ChangeInsideEffect("box", 0, "goo", 0), "ChangeInsideEffect(box, goo)");
        assertTrue(web.ChangeInsideEffect("ring", -1, "goo", Integer.MIN_VALUE), "ChangeInsideEffect(ring, goo)");
        assertEquals(1, web.GetNumberOfEffectsInCompound("box", 0));
        assertEquals("goo", web.GetNameOfEffectInCompound("box", 0, 0));
        assertEquals("goo", web.GetNameOfEffectInCompound("ring", 0, 0));
        assertTrue(web.ChangeInsideEffect("box", 1, "rough", 0), "replacing the inside effect");
        assertEquals("rough", web.GetNameOfEffectInCompound("box", 0, 0));
        assertEquals(1, web.GetNumberOfEffectsInCompound("box", 0));
        assertTrue(web.ChangeInsideEffect("box", 0, "", 0), "removing it with the empty name");
        assertEquals(0, web.GetNumberOfEffectsInCompound("box", 0), "members after removal");
        assertEquals("goo", web.GetNameOfEffectInCompound("ring", 0, 0), "the other shape keeps its own");
    }

    @ParameterizedTest
    @EnumSource(Kind.class)
    void everyKindIsMadeWithItsIntegerAndNamesItsKind(Kind kind) {
        int valid = !kind.takesInt ? 1 : kind == Kind.PERIODIC ? 5 : 3;
        for (int value = 0; value < valid; value++) {
            String name = kind.typeName + " " + value;
            assertTrue(kind.make(web, name, value), kind.maker() + "(" + name + ", " + value + ")");
            assertEquals(kind.typeName, web.GetEffectTypeName(name, 0), "GetEffectTypeName(" + name + ")");
            assertEquals(kind.parameters.contains("Axis") ? value : -99, web.GetAxis(name, 0), "GetAxis(" + name + ")");
            assertEquals(kind == Kind.PERIODIC ? value : -99, web.GetWaveform(name, 0), "GetWaveform(" + name + ")");
            assertTrue(web.EffectExists(name, 0), "EffectExists(" + name + ")");
        }
        assertEquals(valid, web.GetNumberOfEffects(0), "GetNumberOfEffects(0)");
        assertEquals(0, web.GetNumberOfEffects(1), "GetNumberOfEffects(1): nothing playing");
    }

    /** Each query on a fresh effect of each kind, and both support questions for every name. */
    @ParameterizedTest
    @EnumSource(Kind.class)
    void kindsHaveTheirParametersWithDefaults(Kind kind) {
        assertTrue(kind.make(web, "fresh", 0));
        List<String> wrong = new ArrayList<>();
        for (String query : Catalog.queries()) {
            boolean has = kind.parameters.contains(Catalog.parameterOfQuery(query));
            int got = (Integer) call("Get" + query, "fresh", 0);
            if (got != (has ? Catalog.defaultOf(query) : -99)) {
                wrong.add("Get" + query + " = " + got);
            }
            // GetSpacingX reads a grid's Spacing, while SpacingX also names a texture's parameter.
            if (!query.startsWith("Spacing") || kind == Kind.GRID) {
                expectAnswer(wrong, "EffectSupportsGet", query, has);
            }
            if (!Catalog.CHANGES.containsKey(query)) {
                expectAnswer(wrong, "EffectSupportsChange", query, false);
            }
        }
        for (Change change : Catalog.CHANGES.values()) {
            expectAnswer(wrong, "EffectSupportsChange", change.name, change.supportedBy(kind));
        }
        expectAnswer(wrong, "EffectSupportsChange", "InsideEffect", kind.parameters.contains("InsideEffect"));
        for (String readOnly : new String[] {"Axis", "Waveform"}) {
            expectAnswer(wrong, "EffectSupportsChange", readOnly, false);
        }
        for (String changeOnly : new String[] {"Coefficient", "DeadBand", "Minimum", "Strength", "Viscosity",
            "InsideEffect"}) {
            expectAnswer(wrong, "EffectSupportsGet", changeOnly, false);
        }
        for (String parameter : new String[] {"Envelope", "Rectangle", "Direction", "Center", "CoefficientX",
            "SaturationY", "MagnitudeX", "ThicknessY", "Spacing", "Waveform", "Axis"}) {
            expectAnswer(wrong, "EffectSupportsGet", parameter, kind.parameters.contains(parameter));
        }
        assertTrue(wrong.isEmpty(), kind.typeName + ": " + wrong);
    }

    private void expectAnswer(List<String> wrong, String question, String parameter, boolean expected) {
        boolean got = (Boolean) call(question, "fresh", 0, parameter);
        if (got != expected) {
            wrong.add(question + "(" + parameter + ") = " + got);
        }
    }
}
