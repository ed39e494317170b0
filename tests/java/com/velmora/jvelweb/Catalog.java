package com.velmora.jvelweb;

import java.lang.reflect.Method;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeSet;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * What the simulated plug-in promises (docs/simulated-plugin.md), written down
 * once as data: kinds and their parameters, each change with the parameters it
 * sets and the range of each value, which parameter each query reads, the
 * defaults, the error codes and the sample resource. The suites check the
 * library against these tables, never against the library itself.
 */
final class Catalog {
    private Catalog() {}

    static final int UNKNOWN_EFFECT = 0x80040A01;
    static final int DUPLICATE_NAME = 0x80040A02;
    static final int NOT_SUPPORTED = 0x80040A03;
    static final int BAD_RESOURCE = 0x80040A04;
    static final int UNREADABLE_RESOURCE = 0x80040A05;
    static final int INVALIDARG = 0x80070057;

    private static final String COMMON = "Duration Gain StartDelay ";
    private static final String FORCE = COMMON + "Direction Magnitude Envelope";
    private static final String CONDITION = COMMON
            + "Axis Center CoefficientX CoefficientY DeadBandX DeadBandY MinimumX MinimumY SaturationX SaturationY";
    private static final String SHAPE = COMMON
            + "Rectangle Stiffness Saturation Thickness ClippingMask StiffnessMask Viscosity InsideEffect";

    /** The eleven kinds that can be made, with the effect of that kind in demo.vel. */
    enum Kind {
        CONSTANT("Constant", false, FORCE, "push"),
        RAMP("Ramp", false, FORCE, "swell"),
        PERIODIC("Periodic", true, FORCE + " Offset Period Phase Waveform", "buzz"),
        DAMPER("Damper", true, CONDITION, "syrup"),
        FRICTION("Friction", true, CONDITION, "grit"),
        INERTIA("Inertia", true, CONDITION, "mass"),
        SPRING("Spring", true, CONDITION, "centering"),
        ELLIPSE("Ellipse", false, SHAPE, "round well"),
        ENCLOSURE("Enclosure", false, SHAPE, "pen"),
        GRID("Grid", true, COMMON + "Axis Center Spacing Thickness Strength", "lattice"),
        TEXTURE("Texture", true, COMMON + "Axis MagnitudeX MagnitudeY SpacingX SpacingY ThicknessX ThicknessY",
                "sandpaper");

        final String typeName;
        final boolean takesInt;
        final Set<String> parameters;
        final String demoEffect;

        Kind(String typeName, boolean takesInt, String parameters, String demoEffect) {
            this.typeName = typeName;
            this.takesInt = takesInt;
            this.parameters = Set.of(parameters.split(" "));
            this.demoEffect = demoEffect;
        }

        String maker() {
            return "Make" + typeName;
        }

        /** Makes an effect of this kind; {@code value} is the axis or waveform, unused by the others. */
        boolean make(JVelWeb web, String name, int value) {
            return takesInt ? (Boolean) Natives.call(web, maker(), name, value)
                    : (Boolean) Natives.call(web, maker(), name);
        }

        static Kind named(String typeName) {
            for (Kind kind : values()) {
                if (kind.typeName.equals(typeName)) {
                    return kind;
                }
            }
            throw new IllegalArgumentException(typeName);
        }
    }

    /**
     * A change: the parameters it sets and one range letter per value after the
     * apply flag. A any, S -10000..10000, L 0..10000, N 0 or more, P 1 or more,
     * G 0..35999, M 0..15.
     */
    static final class Change {
        final String name;
        final List<String> parameters;
        final String ranges;

        Change(String name, List<String> parameters, String ranges) {
            this.name = name;
            this.parameters = parameters;
            this.ranges = ranges;
        }

        String nativeName() {
            return "Change" + name;
        }

        boolean supportedBy(Kind kind) {
            return kind.parameters.containsAll(parameters);
        }

        /** The first kind (in table order) that has every parameter this change sets. */
        Kind someKind() {
            for (Kind kind : Kind.values()) {
                if (supportedBy(kind)) {
                    return kind;
                }
            }
            throw new AssertionError("no kind has " + parameters);
        }

        /** Values just outside the range of the value at {@code position} (none for A). */
        int[] justOutside(int position) {
            switch (ranges.charAt(position)) {
                case 'A': return new int[0];
                case 'S': return new int[] {-10001, 10001};
                case 'L': return new int[] {-1, 10001};
                case 'N': return new int[] {-1};
                case 'P': return new int[] {0};
                case 'G': return new int[] {-1, 36000};
                case 'M': return new int[] {-1, 16};
                default: throw new AssertionError(ranges);
            }
        }

        boolean accepts(int position, int value) {
            switch (ranges.charAt(position)) {
                case 'A': return true;
                case 'S': return value >= -10000 && value <= 10000;
                case 'L': return value >= 0 && value <= 10000;
                case 'N': return value >= 0;
                case 'P': return value >= 1;
                case 'G': return value >= 0 && value <= 35999;
                case 'M': return value >= 0 && value <= 15;
                default: throw new AssertionError(ranges);
            }
        }
    }

    /** Every change but InsideEffect (which takes a name): name, parameters set, ranges. */
    static final Map<String, Change> CHANGES = new LinkedHashMap<>();

    static {
        String[] rows = {
            "Center Center AA", "ClippingMask ClippingMask M", "Coefficient CoefficientX,CoefficientY SS",
            "CoefficientX CoefficientX SS", "CoefficientY CoefficientY SS", "DeadBand DeadBandX,DeadBandY L",
            "DeadBandX DeadBandX L", "DeadBandY DeadBandY L", "Direction Direction AA",
            "DirectionPolar Direction G", "Duration Duration N", "Envelope Envelope LNLN", "Gain Gain L",
            "Magnitude Magnitude SS", "MagnitudeX MagnitudeX SS", "MagnitudeY MagnitudeY SS",
            "Minimum MinimumX,MinimumY L", "MinimumX MinimumX L", "MinimumY MinimumY L", "Offset Offset SS",
            "Period Period P", "Phase Phase G", "Rectangle Rectangle AANN", "Saturation Saturation LL",
            "SaturationX SaturationX LL", "SaturationY SaturationY LL", "Spacing Spacing NN",
            "SpacingX SpacingX NN", "SpacingY SpacingY NN", "StartDelay StartDelay N", "Stiffness Stiffness LL",
            "StiffnessMask StiffnessMask M", "Strength Strength LL", "Thickness Thickness NN",
            "ThicknessX ThicknessX NN", "ThicknessY ThicknessY NN", "Viscosity Viscosity L",
        };
        for (String row : rows) {
            String[] cells = row.split(" ");
            CHANGES.put(cells[0], new Change(cells[0], Arrays.asList(cells[1].split(",")), cells[2]));
        }
    }

    /**
     * The parameter a query reads, from its name (without "Get"): the
     * Positive/Negative X/Y queries read the X or Y parameter (CoefficientX),
     * CenterX/Y, DirectionX/Y/Polar and SpacingX/Y read the two-value
     * parameter, Envelope... and Rectangle... read theirs, Xxx2 reads Xxx, the
     * others read the parameter of their own name.
     */
    static String parameterOfQuery(String query) {
        Matcher sided = Pattern.compile("(\\w+)(Positive|Negative)([XY])").matcher(query);
        if (sided.matches()) {
            return sided.group(1) + sided.group(3);
        }
        for (String prefix : new String[] {"Center", "Direction", "Envelope", "Rectangle"}) {
            if (query.startsWith(prefix)) {
                return prefix;
            }
        }
        if (query.equals("SpacingX") || query.equals("SpacingY")) {
            return "Spacing";
        }
        return query.endsWith("2") ? query.substring(0, query.length() - 1) : query;
    }

    /** What a query gives on a fresh effect that has its parameter (Axis and Waveform: the creation integer). */
    static int defaultOf(String query) {
        switch (query) {
            case "Gain": case "DirectionX": return 10000;
            case "Period": return 100;
            case "DirectionPolar": return 9000;
            default: return 0;
        }
    }

    /** The names of all 58 queries (Get natives taking an effect name and an int), without "Get". */
    static Set<String> queries() {
        Set<String> names = new TreeSet<>();
        for (Method method : Natives.all()) {
            if (method.getName().startsWith("Get") && method.getReturnType() == int.class
                    && Arrays.equals(method.getParameterTypes(), new Class<?>[] {String.class, int.class})
                    && !method.getName().equals("GetNumberOfEffectsInCompound")) {
                names.add(method.getName().substring(3));
            }
        }
        return names;
    }

    /** demo.vel's effects in creation order, and its one compound's members. */
    static final List<String> DEMO_EFFECTS = List.of("push", "swell", "buzz", "centering", "syrup", "grit", "mass",
            "pen", "round well", "lattice", "sandpaper", "push and buzz");
    static final List<String> DEMO_COMPOUND_MEMBERS = List.of("push", "buzz");

    static String demoResource() {
        String path = System.getProperty("jvelweb.resource");
        if (path == null) {
            throw new IllegalStateException("jvelweb.resource is not set");
        }
        return path;
    }
}
