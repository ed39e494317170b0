package com.velmora.jvelweb;

/**
 * Names for the integers and names that callers pass to {@link JVelWeb}, and
 * for the error codes its plug-in reports.
 *
 * <p>The library passes every integer to the plug-in unchanged: what an axis,
 * a waveform or a selector means is the plug-in's to define. The values here
 * are the ones the bundled simulated plug-in uses;
 * <a href="doc-files/simulated-plugin.html">its document</a> gives every unit
 * and range. A plug-in other than the simulated one may define
 * other values.
 *
 * <pre>{@code
 * web.MakeSpring("centering", Axis.BOTH);
 * web.ChangeCoefficientX("centering", Apply.NOW, 8000, 8000);
 * web.StartEffect("centering", Iterations.UNTIL_STOPPED);
 * }</pre>
 */
public final class JVelWebConstants {
    private JVelWebConstants() {}

    /**
     * The kinds of effect, as {@link JVelWeb#GetEffectTypeName GetEffectTypeName}
     * reports them and as resource files name them. Each {@code Make...} method
     * makes the kind of its name.
     */
    public static final class EffectKind {
        private EffectKind() {}

        /** A steady force in one direction ({@link JVelWeb#MakeConstant MakeConstant}). */
        public static final String CONSTANT = "Constant";
        /** A force that goes from a start to an end magnitude ({@link JVelWeb#MakeRamp MakeRamp}). */
        public static final String RAMP = "Ramp";
        /** A wave of one {@link Waveform} ({@link JVelWeb#MakePeriodic MakePeriodic}). */
        public static final String PERIODIC = "Periodic";
        /** A condition that resists speed ({@link JVelWeb#MakeDamper MakeDamper}). */
        public static final String DAMPER = "Damper";
        /** A condition that resists movement ({@link JVelWeb#MakeFriction MakeFriction}). */
        public static final String FRICTION = "Friction";
        /** A condition that resists acceleration ({@link JVelWeb#MakeInertia MakeInertia}). */
        public static final String INERTIA = "Inertia";
        /** A condition that pulls toward its centre ({@link JVelWeb#MakeSpring MakeSpring}). */
        public static final String SPRING = "Spring";
        /** An elliptic shape with walls ({@link JVelWeb#MakeEllipse MakeEllipse}). */
        public static final String ELLIPSE = "Ellipse";
        /** A rectangular shape with walls ({@link JVelWeb#MakeEnclosure MakeEnclosure}). */
        public static final String ENCLOSURE = "Enclosure";
        /** Lines felt when crossed ({@link JVelWeb#MakeGrid MakeGrid}). */
        public static final String GRID = "Grid";
        /** Bumps felt when moving ({@link JVelWeb#MakeTexture MakeTexture}). */
        public static final String TEXTURE = "Texture";
        /** Effects played together; only resource files make them ({@link JVelWeb#OpenForceResource OpenForceResource}). */
        public static final String COMPOUND = "Compound";
    }

    /**
     * The axis given when making a Damper, Friction, Inertia, Spring, Grid or
     * Texture effect, and read back by {@link JVelWeb#GetAxis GetAxis}. The
     * simulated plug-in refuses any other value.
     */
    public static final class Axis {
        private Axis() {}

        /** Both axes; for a Grid, lines along both axes. */
        public static final int BOTH = 0;
        /** X only; for a Grid, vertical lines only (felt moving along X). */
        public static final int X = 1;
        /** Y only; for a Grid, horizontal lines only (felt moving along Y). */
        public static final int Y = 2;
    }

    /**
     * The waveform given to {@link JVelWeb#MakePeriodic MakePeriodic} and read
     * back by {@link JVelWeb#GetWaveform GetWaveform}. The simulated plug-in
     * refuses any other value.
     */
    public static final class Waveform {
        private Waveform() {}

        /** A sine wave. */
        public static final int SINE = 0;
        /** A square wave. */
        public static final int SQUARE = 1;
        /** A triangle wave. */
        public static final int TRIANGLE = 2;
        /** A sawtooth that rises. */
        public static final int SAWTOOTH_UP = 3;
        /** A sawtooth that falls. */
        public static final int SAWTOOTH_DOWN = 4;
    }

    /**
     * Which effects {@link JVelWeb#EffectExists EffectExists} and the
     * enumeration methods ({@link JVelWeb#GetNumberOfEffects GetNumberOfEffects},
     * {@link JVelWeb#GetNameOfEffect GetNameOfEffect} and their compound
     * twins) look at. The simulated plug-in refuses any other value.
     */
    public static final class Selector {
        private Selector() {}

        /** Every effect. */
        public static final int ALL = 0;
        /** Only the effects that are playing. */
        public static final int PLAYING = 1;
    }

    /**
     * The apply flag, the integer after the effect name of every
     * {@code Change...} method. The simulated plug-in follows it: a playing
     * effect feels the change at once under {@code NOW} and from its next start
     * under {@code NEXT_START}; the queries read the change at once either way.
     */
    public static final class Apply {
        private Apply() {}

        /** Use the new values from the effect's next start. */
        public static final int NEXT_START = 0;
        /** Apply the new values to the playing effect now (any value other than 0 does). */
        public static final int NOW = 1;
    }

    /**
     * The iteration count of {@link JVelWeb#StartEffect StartEffect} and
     * {@link JVelWeb#StartEffect2 StartEffect2}: 1 or more plays the effect
     * that many times, and the simulated plug-in refuses 0 and the negative
     * values other than these.
     */
    public static final class Iterations {
        private Iterations() {}

        /** Play the effect once. */
        public static final int ONCE = 1;
        /** Play the effect until it is stopped. */
        public static final int UNTIL_STOPPED = -1;
    }

    /**
     * The walls of a shape, bits of the masks of
     * {@link JVelWeb#ChangeClippingMask ChangeClippingMask} and
     * {@link JVelWeb#ChangeStiffnessMask ChangeStiffnessMask}. For an
     * Ellipse, the quarter arcs that face those sides.
     */
    public static final class Wall {
        private Wall() {}

        /** The left wall. */
        public static final int LEFT = 1;
        /** The top wall. */
        public static final int TOP = 2;
        /** The right wall. */
        public static final int RIGHT = 4;
        /** The bottom wall. */
        public static final int BOTTOM = 8;
        /** All four walls; the largest mask the simulated plug-in accepts. */
        public static final int ALL = LEFT | TOP | RIGHT | BOTTOM;
    }

    /**
     * Polar angles of {@link JVelWeb#ChangeDirectionPolar ChangeDirectionPolar},
     * in hundredths of a degree clockwise from up, on screen axes (Y down).
     * The simulated plug-in accepts 0 to 35999.
     */
    public static final class Angle {
        private Angle() {}

        /** Pointing up. */
        public static final int UP = 0;
        /** Pointing right, the direction of a new effect. */
        public static final int RIGHT = 9000;
        /** Pointing down. */
        public static final int DOWN = 18000;
        /** Pointing left. */
        public static final int LEFT = 27000;
    }

    /**
     * The scale of levels: gain, magnitudes, offsets, coefficients,
     * saturations, stiffness, strength, envelope levels, viscosity and minimum
     * range up to this value (magnitudes, offsets and coefficients down to its
     * negative), and the simulated plug-in refuses more.
     */
    public static final class Level {
        private Level() {}

        /** Full strength; also the gain of a new effect. */
        public static final int FULL = 10000;
    }

    /**
     * The error codes (HRESULTs) of the simulated plug-in, as
     * {@link JVelWeb#GetLastError GetLastError} reports them after a refused
     * call. Another plug-in has codes of its own.
     */
    public static final class SimulatorError {
        private SimulatorError() {}

        /** No effect has the given name. */
        public static final int UNKNOWN_EFFECT = 0x80040A01;
        /** An effect with the name already exists; making another under it is refused. */
        public static final int DUPLICATE_NAME = 0x80040A02;
        /** The effect's kind has no such parameter. */
        public static final int NOT_SUPPORTED = 0x80040A03;
        /** A resource file has a syntax or content error. */
        public static final int BAD_RESOURCE = 0x80040A04;
        /** A resource file cannot be read. */
        public static final int UNREADABLE_RESOURCE = 0x80040A05;
        /**
         * {@code E_INVALIDARG}: a value, axis, waveform, iteration count,
         * selector or index out of range, an empty name when making an effect,
         * an unknown parameter name, or an unsuitable inside effect.
         */
        public static final int INVALID_ARGUMENT = 0x80070057;
        /** {@code E_POINTER}: a null result pointer (never from this library). */
        public static final int NULL_POINTER = 0x80004003;
        /** {@code E_NOTIMPL}: an operation the simulated plug-in lacks (none that this library calls). */
        public static final int NOT_IMPLEMENTED = 0x80004001;
        /** {@code E_OUTOFMEMORY}: the plug-in ran out of memory. */
        public static final int OUT_OF_MEMORY = 0x8007000E;
        /** {@code E_FAIL}: an unexpected internal error. */
        public static final int UNEXPECTED = 0x80004005;
    }
}
