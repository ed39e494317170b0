package com.velmora.jvelweb;

/**
 * Access to a haptic (force-feedback) pointing device through the web haptics
 * plug-in ("VelWeb plugin"). Every method is one call of one plug-in operation
 * of the same name: its arguments pass to the plug-in unchanged and in order,
 * and the plug-in's answer comes back.
 *
 * <h2 id="lifecycle">Acquisition and release</h2>
 * Acquire the plug-in with {@link #_jni_initialize(int)} before anything else
 * and release it with {@link #_jni_delete()}. There is one plug-in for the whole
 * process, shared by every instance of this class and every thread.
 *
 * <h2 id="failures">Failure values</h2>
 * No method throws. A failure (no plug-in held, a null String argument, or the
 * plug-in refusing the call) gives a fixed failure value: {@code false} for
 * {@code boolean} results, -99 for {@code int} results, and an empty String
 * (never null) for {@code String} results. A plug-in may also answer -99,
 * {@code false} or an empty String on success, and nothing in the result tells
 * the two apart: {@link JVelWebFailure#count()} does, and
 * {@link JVelWebFailure#last()} describes the failure to the program. The
 * system property {@code jvelweb.trace} ({@code stderr}, {@code off}, or a file
 * path) reports each failure as it happens. {@link CheckedJVelWeb} offers the
 * same operations, throwing {@link JVelWebException} when a call fails. Only
 * when the JVM cannot allocate a String result is a Java exception
 * ({@link OutOfMemoryError}) pending, and the String method then returns null.
 *
 * <h2 id="simulated">What the integers mean</h2>
 * The library gives no integer a meaning of its own: what an axis, a selector,
 * a level or a position means, and which kinds of effect have which
 * parameters, is the plug-in's to define. Each method's documentation says
 * what the bundled simulated plug-in makes of it, and
 * {@link JVelWebConstants} names its values.
 * <a href="doc-files/simulated-plugin.html">The simulated plug-in's document</a>
 * (in the javadoc jar; {@code docs/simulated-plugin.md} in the sources) gives
 * every unit, range and default, the resource-file format, and its errors.
 * The simulated plug-in refuses an unknown effect name, a parameter that the
 * effect's kind lacks and a value out of range, each with an error code that
 * {@link #GetLastError()} reports, one of {@link JVelWebConstants.SimulatorError}.
 *
 * <h2 id="playback">Playback</h2>
 * {@code OpenForceResource} loads effects from a resource, {@code StartEffect},
 * {@code StartEffect2}, {@code StopEffect} and {@code StopEffects} start and
 * stop them, and {@code EffectExists} asks after one. {@code OpenForceResource}
 * gives -99 on failure, the others {@code false}.
 *
 * <h2 id="creation">Creation</h2>
 * {@code MakeConstant} ... {@code MakeGrid} make an effect of one of eleven
 * kinds ({@link JVelWebConstants.EffectKind}) under a name of the caller's
 * choosing; the other methods address it by that name. Seven kinds take an
 * integer: the axis ({@link JVelWebConstants.Axis}) or, for
 * {@code MakePeriodic}, the waveform ({@link JVelWebConstants.Waveform}). All
 * give {@code false} on failure.
 *
 * <h2 id="changes">Parameter changes</h2>
 * The 38 {@code Change...} methods set a parameter of a named effect. The
 * integer after the name is the apply flag ({@link JVelWebConstants.Apply});
 * the parameter's values follow. Each kind of effect has its own parameters:
 * in the simulated plug-in a Spring has coefficients but no stiffness, which
 * belongs to the Ellipse and the Enclosure. All give {@code false} on failure.
 *
 * <h2 id="queries">Parameter queries</h2>
 * The 58 {@code Get...} methods that take an effect name and an integer read
 * one value of one parameter; the method, not the integer, picks the axis, the
 * side and the first or second value. All give -99 on failure.
 *
 * <h2 id="enumeration">Enumeration and introspection</h2>
 * Count and name the effects and the members of compound effects
 * ({@link JVelWebConstants.Selector} picks all or the playing ones), ask an
 * effect's kind, and ask which parameters an effect can report or change.
 * Counts give -99 on failure, names an empty String,
 * {@code EffectSupportsGet} and {@code EffectSupportsChange} {@code false}.
 *
 * <h2 id="device">Device, screen and cursor</h2>
 * Whether a Vibrona device is attached, the device, screen and cursor
 * positions, the device flag, the plug-in's last error code, and the device's
 * type, technology and product name. Integers give -99 on failure, names an
 * empty String, {@code VibronaDeviceAttached} {@code false}.
 *
 * <h2 id="versions">Versions and browser switches</h2>
 * The versions of the plug-in and the software under it, and two switches of
 * the plug-in with their queries. Versions give an empty String on failure,
 * the switches and their queries {@code false}.
 *
 * <h2 id="threads">Threads</h2>
 * Any thread may call the methods of the families above at any time, also
 * concurrently. {@code _jni_initialize} and {@code _jni_delete} must not run
 * while other native methods of this class are running.
 */
public class JVelWeb {
    static {
        JVelWebLoader.load();
    }

    /**
     * Makes a handle on the plug-in. Every instance shares the one plug-in of
     * the process; making one acquires nothing.
     */
    public JVelWeb() {}

    // ---- Acquisition and release ----

    /**
     * Acquires the plug-in: creates it and hands it {@code deviceFlag} as its initial {@code DeviceFlag}
     * property. Call it once before any other method; every instance of this class then shares the
     * plug-in.
     *
     * <p>The meaning of the flag is the plug-in's; the <a href="#simulated">simulated plug-in</a> only
     * keeps it and reports it through {@link #GetDeviceFlag GetDeviceFlag}.
     *
     * @param deviceFlag the plug-in's initial {@code DeviceFlag} property
     * @return 0 on success; -1 when a plug-in is already held or cannot be acquired
     * @see <a href="#lifecycle">Acquisition and release</a>
     */
    public native int _jni_initialize(int deviceFlag);

    /**
     * Releases the plug-in, if one is held. Afterwards every other method returns its failure value until
     * {@link #_jni_initialize _jni_initialize} succeeds again. The <a href="#simulated">simulated
     * plug-in</a> forgets its effects with it.
     *
     * @return always 0
     * @see <a href="#lifecycle">Acquisition and release</a>
     */
    public native int _jni_delete();

    // ---- Playback ----

    /**
     * Asks the plug-in to open a force resource: a file that defines effects.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> reads a UTF-8 text file of {@code effect},
     * {@code set} and {@code compound} lines, makes all of its effects or none, and answers the number of
     * effects made. It refuses a file it cannot read with
     * {@link JVelWebConstants.SimulatorError#UNREADABLE_RESOURCE UNREADABLE_RESOURCE}, and an error in it,
     * a name already taken included, with
     * {@link JVelWebConstants.SimulatorError#BAD_RESOURCE BAD_RESOURCE} (naming the line). A relative path
     * is resolved from the working directory.
     *
     * @param resourcePath the resource's path (for the simulated plug-in, a file path)
     * @return the plug-in's answer (the number of effects made, for the simulated plug-in); -99 on failure
     * @see <a href="#playback">Playback</a>
     */
    public native int OpenForceResource(String resourcePath);

    /**
     * Asks the plug-in to start the named effect. Starting a compound starts its members.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> accepts 1 or more iterations
     * ({@link JVelWebConstants.Iterations#ONCE Iterations.ONCE}) or
     * {@link JVelWebConstants.Iterations#UNTIL_STOPPED Iterations.UNTIL_STOPPED} and refuses 0 and other
     * negative counts with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}. The
     * effect plays through its start delay, duration and iterations on the simulated device's clock, and
     * stops playing by itself when its last iteration ends;
     * {@link com.velmora.jvelweb.sim.SimulatedDevice} drives that clock and reads the forces.
     *
     * @param effectName the name the effect was made under
     * @param iterations how many times to play the effect, or -1 until stopped (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect started; {@code false} on failure
     * @see <a href="#playback">Playback</a>
     */
    public native boolean StartEffect(String effectName, int iterations);

    /**
     * Asks the plug-in to start the named effect with a start delay and a gain.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> sets the effect's StartDelay and Gain (each
     * member's, for a compound), then starts it as {@link #StartEffect StartEffect} would; it checks all
     * three values before it changes anything.
     *
     * @param effectName the name the effect was made under
     * @param iterations how many times to play the effect, as for {@link #StartEffect StartEffect}
     * @param startDelay the delay before the effect starts, in milliseconds (0 or more in the simulated
     *     plug-in)
     * @param gain the effect's strength, 0 to {@link JVelWebConstants.Level#FULL Level.FULL} (10000, full
     *     strength) in the simulated plug-in
     * @return the plug-in's answer, {@code true} when the effect started; {@code false} on failure
     * @see <a href="#playback">Playback</a>
     */
    public native boolean StartEffect2(String effectName, int iterations, int startDelay, int gain);

    /**
     * Asks the plug-in to stop the named effect. Stopping a compound stops its members.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> also accepts stopping an effect that is not
     * playing.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the plug-in's answer, {@code true} when the effect is stopped; {@code false} on failure
     * @see <a href="#playback">Playback</a>
     */
    public native boolean StopEffect(String effectName, int reserved);

    /**
     * Asks the plug-in to stop every effect.
     *
     * @return the plug-in's answer, {@code true} when all effects are stopped; {@code false} on failure
     * @see <a href="#playback">Playback</a>
     */
    public native boolean StopEffects();

    /**
     * Asks the plug-in whether the named effect exists, or exists and is playing.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> answers {@code false} for an unknown name (not an
     * error) and refuses a selector other than {@link JVelWebConstants.Selector#ALL Selector.ALL} and
     * {@link JVelWebConstants.Selector#PLAYING Selector.PLAYING} with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}.
     *
     * @param effectName the name the effect was made under
     * @param selector {@link JVelWebConstants.Selector#ALL Selector.ALL} to ask whether it exists,
     *     {@link JVelWebConstants.Selector#PLAYING Selector.PLAYING} whether it exists and is playing (the
     *     plug-in's meaning)
     * @return the plug-in's answer; {@code false} on failure too
     * @see <a href="#playback">Playback</a>
     */
    public native boolean EffectExists(String effectName, int selector);

    // ---- Creation ----

    /**
     * Asks the plug-in to make a Constant effect, a steady force in one direction, under a name of the
     * caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#CONSTANT EffectKind.CONSTANT}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeConstant(String effectName);

    /**
     * Asks the plug-in to make an Ellipse effect, an elliptic shape whose walls hold or push the cursor,
     * under a name of the caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#ELLIPSE EffectKind.ELLIPSE}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeEllipse(String effectName);

    /**
     * Asks the plug-in to make an Enclosure effect, a rectangular shape whose walls hold or push the
     * cursor, under a name of the caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then
     * reports {@link JVelWebConstants.EffectKind#ENCLOSURE EffectKind.ENCLOSURE}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeEnclosure(String effectName);

    /**
     * Asks the plug-in to make a Ramp effect, a force that goes from a start magnitude to an end
     * magnitude, under a name of the caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then
     * reports {@link JVelWebConstants.EffectKind#RAMP EffectKind.RAMP}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeRamp(String effectName);

    /**
     * Asks the plug-in to make a Texture effect, bumps felt while moving, under a name of the caller's
     * choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#TEXTURE EffectKind.TEXTURE}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses another axis and an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @param axis the axes the effect acts on, read back by {@link #GetAxis GetAxis}:
     *     {@link JVelWebConstants.Axis#BOTH Axis.BOTH}, {@link JVelWebConstants.Axis#X Axis.X} or
     *     {@link JVelWebConstants.Axis#Y Axis.Y} (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeTexture(String effectName, int axis);

    /**
     * Asks the plug-in to make a Damper effect, a condition that resists speed, under a name of the
     * caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#DAMPER EffectKind.DAMPER}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses another axis and an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @param axis the axes the effect acts on, read back by {@link #GetAxis GetAxis}:
     *     {@link JVelWebConstants.Axis#BOTH Axis.BOTH}, {@link JVelWebConstants.Axis#X Axis.X} or
     *     {@link JVelWebConstants.Axis#Y Axis.Y} (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeDamper(String effectName, int axis);

    /**
     * Asks the plug-in to make a Friction effect, a condition that resists movement, under a name of the
     * caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#FRICTION EffectKind.FRICTION}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses another axis and an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @param axis the axes the effect acts on, read back by {@link #GetAxis GetAxis}:
     *     {@link JVelWebConstants.Axis#BOTH Axis.BOTH}, {@link JVelWebConstants.Axis#X Axis.X} or
     *     {@link JVelWebConstants.Axis#Y Axis.Y} (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeFriction(String effectName, int axis);

    /**
     * Asks the plug-in to make an Inertia effect, a condition that resists acceleration, under a name of
     * the caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#INERTIA EffectKind.INERTIA}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses another axis and an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @param axis the axes the effect acts on, read back by {@link #GetAxis GetAxis}:
     *     {@link JVelWebConstants.Axis#BOTH Axis.BOTH}, {@link JVelWebConstants.Axis#X Axis.X} or
     *     {@link JVelWebConstants.Axis#Y Axis.Y} (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeInertia(String effectName, int axis);

    /**
     * Asks the plug-in to make a Spring effect, a condition that pulls toward its centre, under a name of
     * the caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#SPRING EffectKind.SPRING}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses another axis and an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @param axis the axes the effect acts on, read back by {@link #GetAxis GetAxis}:
     *     {@link JVelWebConstants.Axis#BOTH Axis.BOTH}, {@link JVelWebConstants.Axis#X Axis.X} or
     *     {@link JVelWebConstants.Axis#Y Axis.Y} (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeSpring(String effectName, int axis);

    /**
     * Asks the plug-in to make a Periodic effect, a wave, under a name of the caller's choosing.
     * {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#PERIODIC EffectKind.PERIODIC}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses another waveform and an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @param waveform the wave's form, read back by {@link #GetWaveform GetWaveform}: one of
     *     {@link JVelWebConstants.Waveform} (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakePeriodic(String effectName, int waveform);

    /**
     * Asks the plug-in to make a Grid effect, lines felt when the cursor crosses them, under a name of the
     * caller's choosing. {@link #GetEffectTypeName GetEffectTypeName} then reports
     * {@link JVelWebConstants.EffectKind#GRID EffectKind.GRID}.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses another axis and an empty name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and a name already taken
     * with {@link JVelWebConstants.SimulatorError#DUPLICATE_NAME DUPLICATE_NAME}; effects are never
     * destroyed. For a Grid, X means vertical lines only (felt moving along X) and Y horizontal lines
     * only.
     *
     * @param effectName the name to make the effect under; later calls address it by this name
     * @param axis the axes the effect acts on, read back by {@link #GetAxis GetAxis}:
     *     {@link JVelWebConstants.Axis#BOTH Axis.BOTH}, {@link JVelWebConstants.Axis#X Axis.X} or
     *     {@link JVelWebConstants.Axis#Y Axis.Y} (the plug-in's meaning)
     * @return the plug-in's answer, {@code true} when the effect is made; {@code false} on failure
     * @see <a href="#creation">Creation</a>
     */
    public native boolean MakeGrid(String effectName, int axis);

    // ---- Parameter changes ----

    /**
     * Asks the plug-in to set one parameter of the named effect: the centre of a condition, or the origin
     * of a grid's lines.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia, Spring and
     * Grid effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetCenterX GetCenterX} and {@link #GetCenterY GetCenterY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param x X of the centre, in pixels
     * @param y Y of the centre, in pixels
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeCenter(String effectName, int applyNow, int x, int y);

    /**
     * Asks the plug-in to set one parameter of the named effect: which walls of a shape hold the cursor.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * A value out of range is refused with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing. Read
     * back by {@link #GetClippingMask GetClippingMask}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param wallMask the walls, a sum of {@link JVelWebConstants.Wall} bits (0 to 15)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeClippingMask(String effectName, int applyNow, int wallMask);

    /**
     * Asks the plug-in to set one parameter of the named effect: the coefficients of a condition along
     * both axes at once.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetCoefficientPositiveX GetCoefficientPositiveX},
     * {@link #GetCoefficientPositiveY GetCoefficientPositiveY},
     * {@link #GetCoefficientNegativeX GetCoefficientNegativeX} and
     * {@link #GetCoefficientNegativeY GetCoefficientNegativeY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveCoefficient the strength on the positive side of the centre, -10000 to 10000
     * @param negativeCoefficient the strength on the negative side of the centre, -10000 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeCoefficient(String effectName, int applyNow, int positiveCoefficient, int negativeCoefficient);

    /**
     * Asks the plug-in to set one parameter of the named effect: the dead band of a condition along both
     * axes at once.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetDeadBandX GetDeadBandX} and {@link #GetDeadBandY GetDeadBandY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param deadBand the distance around the centre where nothing is felt, in pixels (0 to 10000)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeDeadBand(String effectName, int applyNow, int deadBand);

    /**
     * Asks the plug-in to set one parameter of the named effect: the direction of a force as a vector.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetDirectionX GetDirectionX}, {@link #GetDirectionY GetDirectionY} and
     * {@link #GetDirectionPolar GetDirectionPolar} (the angle computed from the vector).
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param x X of the vector, on screen axes
     * @param y Y of the vector, on screen axes (Y down); not both 0
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeDirection(String effectName, int applyNow, int x, int y);

    /**
     * Asks the plug-in to set one parameter of the named effect: the direction of a force as an angle.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetDirectionPolar GetDirectionPolar}, {@link #GetDirectionX GetDirectionX} and
     * {@link #GetDirectionY GetDirectionY} (the vector of length 10000 at that angle).
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param angle hundredths of a degree clockwise from up, 0 to 35999 ({@link JVelWebConstants.Angle})
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeDirectionPolar(String effectName, int applyNow, int angle);

    /**
     * Asks the plug-in to set one parameter of the named effect: how long an effect plays.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: every kind except Compound has it. A value out
     * of range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}
     * and changes nothing. Read back by {@link #GetDuration GetDuration}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param duration in milliseconds, 0 or more; 0 plays until stopped
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeDuration(String effectName, int applyNow, int duration);

    /**
     * Asks the plug-in to set one parameter of the named effect: the envelope that shapes a force at its
     * start and end.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetEnvelopeAttackLevel GetEnvelopeAttackLevel},
     * {@link #GetEnvelopeAttackTime GetEnvelopeAttackTime},
     * {@link #GetEnvelopeFadeLevel GetEnvelopeFadeLevel} and
     * {@link #GetEnvelopeFadeTime GetEnvelopeFadeTime}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param attackLevel the level at the start, 0 to 10000
     * @param attackTime the attack's length in milliseconds, 0 or more
     * @param fadeLevel the level at the end, 0 to 10000
     * @param fadeTime the fade's length in milliseconds, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeEnvelope(String effectName, int applyNow, int attackLevel, int attackTime, int fadeLevel, int fadeTime);

    /**
     * Asks the plug-in to set one parameter of the named effect: the strength of the whole effect.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: every kind except Compound has it. A value out
     * of range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}
     * and changes nothing. Read back by {@link #GetGain GetGain}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param gain 0 to {@link JVelWebConstants.Level#FULL Level.FULL} (10000, full strength and the
     *     default)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeGain(String effectName, int applyNow, int gain);

    /**
     * Asks the plug-in to set the effect felt inside a shape.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a> only Ellipse and Enclosure effects have it; the
     * other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. The
     * inside effect must exist ({@link JVelWebConstants.SimulatorError#UNKNOWN_EFFECT UNKNOWN_EFFECT}
     * otherwise) and be neither an Ellipse, an Enclosure nor a Compound
     * ({@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} otherwise); the empty
     * name removes it. No query reads it: the shape lists it as its one member
     * ({@link #GetNameOfEffectInCompound GetNameOfEffectInCompound}). Starting the shape does not start
     * it.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param insideEffectName the name of the effect felt inside, or "" for none
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeInsideEffect(String effectName, int applyNow, String insideEffectName, int reserved);

    /**
     * Asks the plug-in to set one parameter of the named effect: the magnitude of a force at the start and
     * at the end of its duration.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetMagnitude GetMagnitude} and {@link #GetMagnitude2 GetMagnitude2}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param startMagnitude the force at the start, -10000 to 10000
     * @param endMagnitude the force at the end, -10000 to 10000; give both the same value for a steady
     *     force, a Ramp goes from one to the other
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeMagnitude(String effectName, int applyNow, int startMagnitude, int endMagnitude);

    /**
     * Asks the plug-in to set one parameter of the named effect: the least force of a condition along both
     * axes at once.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetMinimumX GetMinimumX} and {@link #GetMinimumY GetMinimumY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param minimum the least force felt outside the dead band, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeMinimum(String effectName, int applyNow, int minimum);

    /**
     * Asks the plug-in to set one parameter of the named effect: the offset of a wave at the start and at
     * the end.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetOffset GetOffset} and {@link #GetOffset2 GetOffset2}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param startOffset the offset at the start, -10000 to 10000
     * @param endOffset the offset at the end, -10000 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeOffset(String effectName, int applyNow, int startOffset, int endOffset);

    /**
     * Asks the plug-in to set one parameter of the named effect: the period of a wave.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetPeriod GetPeriod}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param period in milliseconds, 1 or more (100 by default)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangePeriod(String effectName, int applyNow, int period);

    /**
     * Asks the plug-in to set one parameter of the named effect: the phase of a wave.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetPhase GetPhase}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param phase in hundredths of a degree, 0 to 35999
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangePhase(String effectName, int applyNow, int phase);

    /**
     * Asks the plug-in to set one parameter of the named effect: the box of an Enclosure or the bounding
     * box of an Ellipse.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * A value out of range is refused with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing. Read
     * back by {@link #GetRectangleLeft GetRectangleLeft}, {@link #GetRectangleTop GetRectangleTop},
     * {@link #GetRectangleWidth GetRectangleWidth} and {@link #GetRectangleHeight GetRectangleHeight}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param left left edge, in pixels
     * @param top top edge, in pixels
     * @param width in pixels, 0 or more
     * @param height in pixels, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeRectangle(String effectName, int applyNow, int left, int top, int width, int height);

    /**
     * Asks the plug-in to set one parameter of the named effect: the greatest force of a shape's wall.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * A value out of range is refused with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing. Read
     * back by {@link #GetSaturation GetSaturation} and {@link #GetSaturation2 GetSaturation2}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param insideSaturation pushing out from inside, 0 to 10000
     * @param outsideSaturation pushing in from outside, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeSaturation(String effectName, int applyNow, int insideSaturation, int outsideSaturation);

    /**
     * Asks the plug-in to set one parameter of the named effect: the distance between a grid's lines.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Grid effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetSpacingX GetSpacingX} and {@link #GetSpacingY GetSpacingY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param spacingX between the lines along X, in pixels, 0 or more
     * @param spacingY between the lines along Y, in pixels, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeSpacing(String effectName, int applyNow, int spacingX, int spacingY);

    /**
     * Asks the plug-in to set one parameter of the named effect: the stiffness of a shape's wall.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * A value out of range is refused with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing. Read
     * back by {@link #GetStiffness GetStiffness} and {@link #GetStiffness2 GetStiffness2}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param insideStiffness of the wall's inside face, 0 to 10000
     * @param outsideStiffness of the wall's outside face, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeStiffness(String effectName, int applyNow, int insideStiffness, int outsideStiffness);

    /**
     * Asks the plug-in to set one parameter of the named effect: which walls of a shape are stiff.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * A value out of range is refused with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing. Read
     * back by {@link #GetStiffnessMask GetStiffnessMask}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param wallMask the walls, a sum of {@link JVelWebConstants.Wall} bits (0 to 15)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeStiffnessMask(String effectName, int applyNow, int wallMask);

    /**
     * Asks the plug-in to set one parameter of the named effect: the force of a grid's lines.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Grid effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. No query reads it back.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param strengthX of the lines crossed moving along X, 0 to 10000
     * @param strengthY of the lines crossed moving along Y, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeStrength(String effectName, int applyNow, int strengthX, int strengthY);

    /**
     * Asks the plug-in to set one parameter of the named effect: the thickness of a shape's wall or of a
     * grid's lines.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse, Enclosure and Grid effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetThickness GetThickness} and {@link #GetThickness2 GetThickness2}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param thickness in pixels, 0 or more: how far a shape's wall reaches inside the outline, or the
     *     width of a grid's vertical lines
     * @param thickness2 in pixels, 0 or more: how far a shape's wall reaches outside the outline, or the
     *     width of a grid's horizontal lines
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeThickness(String effectName, int applyNow, int thickness, int thickness2);

    /**
     * Asks the plug-in to set one parameter of the named effect: the drag felt inside a shape.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * A value out of range is refused with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing. No
     * query reads it back.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param viscosity 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeViscosity(String effectName, int applyNow, int viscosity);

    /**
     * Asks the plug-in to set one parameter of the named effect: the delay before an effect starts.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: every kind except Compound has it. A value out
     * of range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}
     * and changes nothing. Read back by {@link #GetStartDelay GetStartDelay}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param startDelay in milliseconds, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeStartDelay(String effectName, int applyNow, int startDelay);

    /**
     * Asks the plug-in to set one parameter of the named effect: the coefficients of a condition along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetCoefficientPositiveX GetCoefficientPositiveX} and
     * {@link #GetCoefficientNegativeX GetCoefficientNegativeX}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveCoefficient the strength on the positive side of the centre, -10000 to 10000
     * @param negativeCoefficient the strength on the negative side of the centre, -10000 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeCoefficientX(String effectName, int applyNow, int positiveCoefficient, int negativeCoefficient);

    /**
     * Asks the plug-in to set one parameter of the named effect: the coefficients of a condition along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetCoefficientPositiveY GetCoefficientPositiveY} and
     * {@link #GetCoefficientNegativeY GetCoefficientNegativeY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveCoefficient the strength on the positive side of the centre, -10000 to 10000
     * @param negativeCoefficient the strength on the negative side of the centre, -10000 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeCoefficientY(String effectName, int applyNow, int positiveCoefficient, int negativeCoefficient);

    /**
     * Asks the plug-in to set one parameter of the named effect: the dead band of a condition along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetDeadBandX GetDeadBandX}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param deadBand the distance around the centre where nothing is felt, in pixels (0 to 10000)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeDeadBandX(String effectName, int applyNow, int deadBand);

    /**
     * Asks the plug-in to set one parameter of the named effect: the dead band of a condition along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetDeadBandY GetDeadBandY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param deadBand the distance around the centre where nothing is felt, in pixels (0 to 10000)
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeDeadBandY(String effectName, int applyNow, int deadBand);

    /**
     * Asks the plug-in to set one parameter of the named effect: the strength of a texture's bumps along
     * X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetMagnitudePositiveX GetMagnitudePositiveX} and
     * {@link #GetMagnitudeNegativeX GetMagnitudeNegativeX}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveMagnitude moving in the positive direction, -10000 to 10000
     * @param negativeMagnitude moving in the negative direction, -10000 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeMagnitudeX(String effectName, int applyNow, int positiveMagnitude, int negativeMagnitude);

    /**
     * Asks the plug-in to set one parameter of the named effect: the strength of a texture's bumps along
     * Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetMagnitudePositiveY GetMagnitudePositiveY} and
     * {@link #GetMagnitudeNegativeY GetMagnitudeNegativeY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveMagnitude moving in the positive direction, -10000 to 10000
     * @param negativeMagnitude moving in the negative direction, -10000 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeMagnitudeY(String effectName, int applyNow, int positiveMagnitude, int negativeMagnitude);

    /**
     * Asks the plug-in to set one parameter of the named effect: the least force of a condition along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetMinimumX GetMinimumX}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param minimum the least force felt outside the dead band, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeMinimumX(String effectName, int applyNow, int minimum);

    /**
     * Asks the plug-in to set one parameter of the named effect: the least force of a condition along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetMinimumY GetMinimumY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param minimum the least force felt outside the dead band, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeMinimumY(String effectName, int applyNow, int minimum);

    /**
     * Asks the plug-in to set one parameter of the named effect: the greatest force of a condition along
     * X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetSaturationPositiveX GetSaturationPositiveX} and
     * {@link #GetSaturationNegativeX GetSaturationNegativeX}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveSaturation on the positive side of the centre, 0 to 10000
     * @param negativeSaturation on the negative side of the centre, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeSaturationX(String effectName, int applyNow, int positiveSaturation, int negativeSaturation);

    /**
     * Asks the plug-in to set one parameter of the named effect: the greatest force of a condition along
     * Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of range is refused
     * with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and changes nothing.
     * Read back by {@link #GetSaturationPositiveY GetSaturationPositiveY} and
     * {@link #GetSaturationNegativeY GetSaturationNegativeY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveSaturation on the positive side of the centre, 0 to 10000
     * @param negativeSaturation on the negative side of the centre, 0 to 10000
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeSaturationY(String effectName, int applyNow, int positiveSaturation, int negativeSaturation);

    /**
     * Asks the plug-in to set one parameter of the named effect: the distance between a texture's bumps
     * along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetSpacingPositiveX GetSpacingPositiveX} and
     * {@link #GetSpacingNegativeX GetSpacingNegativeX}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveSpacing moving in the positive direction, in pixels, 0 or more
     * @param negativeSpacing moving in the negative direction, in pixels, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeSpacingX(String effectName, int applyNow, int positiveSpacing, int negativeSpacing);

    /**
     * Asks the plug-in to set one parameter of the named effect: the distance between a texture's bumps
     * along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetSpacingPositiveY GetSpacingPositiveY} and
     * {@link #GetSpacingNegativeY GetSpacingNegativeY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveSpacing moving in the positive direction, in pixels, 0 or more
     * @param negativeSpacing moving in the negative direction, in pixels, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeSpacingY(String effectName, int applyNow, int positiveSpacing, int negativeSpacing);

    /**
     * Asks the plug-in to set one parameter of the named effect: the width of a texture's bumps along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetThicknessPositiveX GetThicknessPositiveX} and
     * {@link #GetThicknessNegativeX GetThicknessNegativeX}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveThickness moving in the positive direction, in pixels, 0 or more
     * @param negativeThickness moving in the negative direction, in pixels, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeThicknessX(String effectName, int applyNow, int positiveThickness, int negativeThickness);

    /**
     * Asks the plug-in to set one parameter of the named effect: the width of a texture's bumps along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. A value out of
     * range is refused with {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT} and
     * changes nothing. Read back by {@link #GetThicknessPositiveY GetThicknessPositiveY} and
     * {@link #GetThicknessNegativeY GetThicknessNegativeY}.
     *
     * @param effectName the name the effect was made under
     * @param applyNow when the change takes hold ({@link JVelWebConstants.Apply}); the simulated plug-in
     *     applies a non-zero flag to a playing effect at once
     * @param positiveThickness moving in the positive direction, in pixels, 0 or more
     * @param negativeThickness moving in the negative direction, in pixels, 0 or more
     * @return the plug-in's answer, {@code true} when the change is made; {@code false} on failure
     * @see <a href="#changes">Parameter changes</a>
     */
    public native boolean ChangeThicknessY(String effectName, int applyNow, int positiveThickness, int negativeThickness);

    // ---- Parameter queries ----

    /**
     * Asks the plug-in for one value of the named effect: the axis the effect was made with, one of
     * {@link JVelWebConstants.Axis}.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia, Spring, Grid
     * and Texture effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by the {@code Make...}
     * method (read only).
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetAxis(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the X coordinate of the centre, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia, Spring and
     * Grid effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeCenter ChangeCenter}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetCenterX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the Y coordinate of the centre, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia, Spring and
     * Grid effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeCenter ChangeCenter}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetCenterY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the clipping mask, a sum of
     * {@link JVelWebConstants.Wall} bits.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeClippingMask ChangeClippingMask}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetClippingMask(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the coefficient on the positive side of the
     * centre along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeCoefficientX ChangeCoefficientX} and {@link #ChangeCoefficient ChangeCoefficient}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetCoefficientPositiveX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the coefficient on the positive side of the
     * centre along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeCoefficientY ChangeCoefficientY} and {@link #ChangeCoefficient ChangeCoefficient}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetCoefficientPositiveY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the coefficient on the negative side of the
     * centre along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeCoefficientX ChangeCoefficientX} and {@link #ChangeCoefficient ChangeCoefficient}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetCoefficientNegativeX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the coefficient on the negative side of the
     * centre along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeCoefficientY ChangeCoefficientY} and {@link #ChangeCoefficient ChangeCoefficient}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetCoefficientNegativeY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the dead band along X, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeDeadBandX ChangeDeadBandX} and {@link #ChangeDeadBand ChangeDeadBand}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetDeadBandX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the dead band along Y, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeDeadBandY ChangeDeadBandY} and {@link #ChangeDeadBand ChangeDeadBand}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetDeadBandY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the X component of the direction, on screen axes
     * (Y down).
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeDirection ChangeDirection} and {@link #ChangeDirectionPolar ChangeDirectionPolar}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetDirectionX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the Y component of the direction, on screen axes
     * (Y down).
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeDirection ChangeDirection} and {@link #ChangeDirectionPolar ChangeDirectionPolar}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetDirectionY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the direction's angle in hundredths of a degree
     * clockwise from up ({@link JVelWebConstants.Angle}).
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeDirectionPolar ChangeDirectionPolar} and {@link #ChangeDirection ChangeDirection}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetDirectionPolar(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the duration in milliseconds, 0 for until
     * stopped.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: every kind except Compound has it. Set by
     * {@link #ChangeDuration ChangeDuration}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetDuration(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the envelope's level at the start, 0 to 10000.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeEnvelope ChangeEnvelope}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetEnvelopeAttackLevel(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the length of the envelope's attack, in
     * milliseconds.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeEnvelope ChangeEnvelope}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetEnvelopeAttackTime(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the envelope's level at the end, 0 to 10000.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeEnvelope ChangeEnvelope}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetEnvelopeFadeLevel(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the length of the envelope's fade, in
     * milliseconds.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeEnvelope ChangeEnvelope}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetEnvelopeFadeTime(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the gain, 0 to 10000 (full strength).
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: every kind except Compound has it. Set by
     * {@link #ChangeGain ChangeGain} and {@link #StartEffect2 StartEffect2}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetGain(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the magnitude at the start of the duration.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMagnitude ChangeMagnitude}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMagnitude(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the magnitude at the end of the duration.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Constant, Ramp and Periodic effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMagnitude ChangeMagnitude}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMagnitude2(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump strength moving in the positive
     * direction along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMagnitudeX ChangeMagnitudeX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMagnitudePositiveX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump strength moving in the positive
     * direction along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMagnitudeY ChangeMagnitudeY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMagnitudePositiveY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump strength moving in the negative
     * direction along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMagnitudeX ChangeMagnitudeX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMagnitudeNegativeX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump strength moving in the negative
     * direction along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMagnitudeY ChangeMagnitudeY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMagnitudeNegativeY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the least force along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMinimumX ChangeMinimumX} and {@link #ChangeMinimum ChangeMinimum}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMinimumX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the least force along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeMinimumY ChangeMinimumY} and {@link #ChangeMinimum ChangeMinimum}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetMinimumY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the wave's offset at the start.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeOffset ChangeOffset}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetOffset(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the wave's offset at the end.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeOffset ChangeOffset}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetOffset2(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the wave's period in milliseconds.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangePeriod ChangePeriod}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetPeriod(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the wave's phase in hundredths of a degree.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangePhase ChangePhase}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetPhase(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the left of the rectangle, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeRectangle ChangeRectangle}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetRectangleLeft(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the top of the rectangle, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeRectangle ChangeRectangle}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetRectangleTop(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the width of the rectangle, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeRectangle ChangeRectangle}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetRectangleWidth(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the height of the rectangle, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeRectangle ChangeRectangle}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetRectangleHeight(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the greatest force of the wall pushing out from
     * inside.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeSaturation ChangeSaturation}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSaturation(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the greatest force of the wall pushing in from
     * outside.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeSaturation ChangeSaturation}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSaturation2(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the greatest force on the positive side of the
     * centre along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSaturationX ChangeSaturationX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSaturationPositiveX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the greatest force on the positive side of the
     * centre along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSaturationY ChangeSaturationY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSaturationPositiveY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the greatest force on the negative side of the
     * centre along X.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSaturationX ChangeSaturationX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSaturationNegativeX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the greatest force on the negative side of the
     * centre along Y.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Damper, Friction, Inertia and Spring
     * effects have it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSaturationY ChangeSaturationY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSaturationNegativeY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the distance between bumps moving in the
     * positive direction along X, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSpacingX ChangeSpacingX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSpacingPositiveX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the distance between bumps moving in the
     * positive direction along Y, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSpacingY ChangeSpacingY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSpacingPositiveY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the distance between bumps moving in the
     * negative direction along X, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSpacingX ChangeSpacingX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSpacingNegativeX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the distance between bumps moving in the
     * negative direction along Y, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSpacingY ChangeSpacingY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSpacingNegativeY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the distance between the grid's lines along X,
     * in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Grid effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSpacing ChangeSpacing}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSpacingX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the distance between the grid's lines along Y,
     * in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Grid effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeSpacing ChangeSpacing}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetSpacingY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the start delay in milliseconds.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: every kind except Compound has it. Set by
     * {@link #ChangeStartDelay ChangeStartDelay} and {@link #StartEffect2 StartEffect2}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetStartDelay(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the stiffness of the wall's inside face.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeStiffness ChangeStiffness}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetStiffness(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the stiffness of the wall's outside face.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeStiffness ChangeStiffness}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetStiffness2(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the stiffness mask, a sum of
     * {@link JVelWebConstants.Wall} bits.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse and Enclosure effects have it;
     * the other kinds refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}.
     * Set by {@link #ChangeStiffnessMask ChangeStiffnessMask}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetStiffnessMask(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the first thickness in pixels: how far a shape's
     * wall reaches inside the outline, or the width of a grid's vertical lines.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse, Enclosure and Grid effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeThickness ChangeThickness}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetThickness(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the second thickness in pixels: how far a
     * shape's wall reaches outside the outline, or the width of a grid's horizontal lines.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Ellipse, Enclosure and Grid effects have
     * it; the other kinds refuse it with
     * {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeThickness ChangeThickness}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetThickness2(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump width moving in the positive direction
     * along X, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeThicknessX ChangeThicknessX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetThicknessPositiveX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump width moving in the positive direction
     * along Y, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeThicknessY ChangeThicknessY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetThicknessPositiveY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump width moving in the negative direction
     * along X, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeThicknessX ChangeThicknessX}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetThicknessNegativeX(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the bump width moving in the negative direction
     * along Y, in pixels.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Texture effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #ChangeThicknessY ChangeThicknessY}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetThicknessNegativeY(String effectName, int reserved);

    /**
     * Asks the plug-in for one value of the named effect: the waveform the effect was made with, one of
     * {@link JVelWebConstants.Waveform}.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>: only Periodic effects have it; the other kinds
     * refuse it with {@link JVelWebConstants.SimulatorError#NOT_SUPPORTED NOT_SUPPORTED}. Set by
     * {@link #MakePeriodic MakePeriodic} (read only).
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the value; -99 on failure (a value of -99 itself cannot be told from a failure)
     * @see <a href="#queries">Parameter queries</a>
     */
    public native int GetWaveform(String effectName, int reserved);

    // ---- Enumeration and introspection ----

    /**
     * Asks the plug-in how many effects it holds.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> refuses a selector other than
     * {@link JVelWebConstants.Selector#ALL ALL} and {@link JVelWebConstants.Selector#PLAYING PLAYING} with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}.
     *
     * @param selector {@link JVelWebConstants.Selector#ALL Selector.ALL} for every effect,
     *     {@link JVelWebConstants.Selector#PLAYING Selector.PLAYING} for the playing ones (the plug-in's
     *     meaning)
     * @return the count; -99 on failure
     * @see <a href="#enumeration">Enumeration and introspection</a>
     */
    public native int GetNumberOfEffects(int selector);

    /**
     * Asks the plug-in for the name of one of its effects.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> counts the selected effects in creation order. It
     * refuses an index out of range and a selector other than {@link JVelWebConstants.Selector#ALL ALL}
     * and {@link JVelWebConstants.Selector#PLAYING PLAYING} with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}.
     *
     * @param selector {@link JVelWebConstants.Selector#ALL Selector.ALL} for every effect,
     *     {@link JVelWebConstants.Selector#PLAYING Selector.PLAYING} for the playing ones (the plug-in's
     *     meaning)
     * @param index the effect's place among the selected ones, from 0
     * @return the name; an empty String (never null) on failure
     * @see <a href="#enumeration">Enumeration and introspection</a>
     */
    public native String GetNameOfEffect(int selector, int index);

    /**
     * Asks the plug-in for the kind of the named effect.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> answers one of
     * {@link JVelWebConstants.EffectKind}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @return the kind's name; an empty String (never null) on failure
     * @see <a href="#enumeration">Enumeration and introspection</a>
     */
    public native String GetEffectTypeName(String effectName, int reserved);

    /**
     * Asks the plug-in how many members the named compound effect has.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a> a Compound's members are the effects it lists,
     * an Ellipse or Enclosure with an inside effect has that one member, and other effects have none. It
     * refuses a selector other than {@link JVelWebConstants.Selector#ALL ALL} and
     * {@link JVelWebConstants.Selector#PLAYING PLAYING} with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}.
     *
     * @param effectName the name the effect was made under
     * @param selector {@link JVelWebConstants.Selector#ALL Selector.ALL} for every effect,
     *     {@link JVelWebConstants.Selector#PLAYING Selector.PLAYING} for the playing ones (the plug-in's
     *     meaning)
     * @return the count; -99 on failure
     * @see <a href="#enumeration">Enumeration and introspection</a>
     */
    public native int GetNumberOfEffectsInCompound(String effectName, int selector);

    /**
     * Asks the plug-in for the name of one member of the named compound effect.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> counts the selected members in the order they were
     * listed. It refuses an index out of range and a selector other than
     * {@link JVelWebConstants.Selector#ALL ALL} and {@link JVelWebConstants.Selector#PLAYING PLAYING} with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}.
     *
     * @param effectName the name the effect was made under
     * @param selector {@link JVelWebConstants.Selector#ALL Selector.ALL} for every effect,
     *     {@link JVelWebConstants.Selector#PLAYING Selector.PLAYING} for the playing ones (the plug-in's
     *     meaning)
     * @param index the member's place among the selected ones, from 0
     * @return the member's name; an empty String (never null) on failure
     * @see <a href="#enumeration">Enumeration and introspection</a>
     */
    public native String GetNameOfEffectInCompound(String effectName, int selector, int index);

    /**
     * Asks the plug-in whether it can report the given parameter of the named effect.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> accepts a parameter name as a change method's name
     * without {@code Change} ({@code CoefficientX}), a query's name without {@code Get}
     * ({@code Magnitude2}), or a parameter such as {@code Envelope}; it refuses any other name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and an unknown effect
     * too. Change-only names ({@code Coefficient}, {@code DeadBand}, {@code Minimum}, {@code Strength},
     * {@code Viscosity}, {@code InsideEffect}) give {@code false}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @param parameterName the parameter asked about
     * @return the plug-in's answer; {@code false} on failure too
     * @see <a href="#enumeration">Enumeration and introspection</a>
     */
    public native boolean EffectSupportsGet(String effectName, int reserved, String parameterName);

    /**
     * Asks the plug-in whether it can change the given parameter of the named effect.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> accepts a parameter name as a change method's name
     * without {@code Change} ({@code CoefficientX}), a query's name without {@code Get}
     * ({@code Magnitude2}), or a parameter such as {@code Envelope}; it refuses any other name with
     * {@link JVelWebConstants.SimulatorError#INVALID_ARGUMENT INVALID_ARGUMENT}, and an unknown effect
     * too. Query names and the read-only {@code Axis} and {@code Waveform} give {@code false}.
     *
     * @param effectName the name the effect was made under
     * @param reserved passed on unchanged, the plug-in's to define; the simulated plug-in ignores it (pass
     *     0)
     * @param parameterName the parameter asked about
     * @return the plug-in's answer; {@code false} on failure too
     * @see <a href="#enumeration">Enumeration and introspection</a>
     */
    public native boolean EffectSupportsChange(String effectName, int reserved, String parameterName);

    // ---- Device, screen and cursor ----

    /**
     * Asks the plug-in whether a Vibrona device is attached. The <a href="#simulated">simulated
     * plug-in</a> answers {@code true}.
     *
     * @return the plug-in's answer; {@code false} on failure too
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native boolean VibronaDeviceAttached();

    /**
     * Asks the plug-in for the X coordinate of the device's position on the screen. Its meaning is the
     * plug-in's.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>, pixels on a 1920 by 1080 screen. The simulated
     * device's handle moves by itself around a circle, one step for every read of an X coordinate
     * ({@code GetDevicePosX}, {@code GetScreenPosX}, {@code GetCursorPosX}); a Y read reports the same
     * point.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetScreenPosX();

    /**
     * Asks the plug-in for the Y coordinate of the device's position on the screen. Its meaning is the
     * plug-in's.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>, pixels on a 1920 by 1080 screen, Y down. The
     * simulated device's handle moves by itself around a circle, one step for every read of an X
     * coordinate ({@code GetDevicePosX}, {@code GetScreenPosX}, {@code GetCursorPosX}); a Y read reports
     * the same point.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetScreenPosY();

    /**
     * Asks the plug-in for the X coordinate of the device's handle. Its meaning is the plug-in's.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>, device units from -1000 to 1000. The simulated
     * device's handle moves by itself around a circle, one step for every read of an X coordinate
     * ({@code GetDevicePosX}, {@code GetScreenPosX}, {@code GetCursorPosX}); a Y read reports the same
     * point.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetDevicePosX();

    /**
     * Asks the plug-in for the Y coordinate of the device's handle. Its meaning is the plug-in's.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>, device units from -1000 to 1000, Y down. The
     * simulated device's handle moves by itself around a circle, one step for every read of an X
     * coordinate ({@code GetDevicePosX}, {@code GetScreenPosX}, {@code GetCursorPosX}); a Y read reports
     * the same point.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetDevicePosY();

    /**
     * Asks the plug-in for its device flag. Its meaning is the plug-in's.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> reports the flag given to
     * {@link #_jni_initialize _jni_initialize}.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetDeviceFlag();

    /**
     * Asks the plug-in for the code of its most recent error. Its meaning is the plug-in's.
     *
     * <p>This is the plug-in's own record, not the operating system's error state. The
     * <a href="#simulated">simulated plug-in</a> reports the HRESULT of its most recent refused call from
     * any thread, one of {@link JVelWebConstants.SimulatorError}, or 0 before any; a later success does
     * not reset it.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetLastError();

    /**
     * Asks the plug-in for the code of the device's type. Its meaning is the plug-in's.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> answers 2 (a mouse).
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetDeviceType();

    /**
     * Asks the plug-in for the code of the device's technology. Its meaning is the plug-in's.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> answers 0 (simulation).
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetDeviceTechnology();

    /**
     * Asks the plug-in for the name of the device's type.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> answers {@code Mouse}.
     *
     * @return the name; an empty String (never null) on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native String GetDeviceTypeName();

    /**
     * Asks the plug-in for the name of the device's technology.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> answers {@code Simulation}.
     *
     * @return the name; an empty String (never null) on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native String GetDeviceTechnologyName();

    /**
     * Asks the plug-in for the device's product name.
     *
     * <p>The <a href="#simulated">simulated plug-in</a> answers {@code Vibrona Simulated Mouse}.
     *
     * @return the name; an empty String (never null) on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native String GetDeviceProductName();

    /**
     * Asks the plug-in for the X coordinate of the cursor on the page. Its meaning is the plug-in's.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>, the same as
     * {@link #GetScreenPosX GetScreenPosX}. The simulated device's handle moves by itself around a circle,
     * one step for every read of an X coordinate ({@code GetDevicePosX}, {@code GetScreenPosX},
     * {@code GetCursorPosX}); a Y read reports the same point.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetCursorPosX();

    /**
     * Asks the plug-in for the Y coordinate of the cursor on the page. Its meaning is the plug-in's.
     *
     * <p>In the <a href="#simulated">simulated plug-in</a>, the same as
     * {@link #GetScreenPosY GetScreenPosY}. The simulated device's handle moves by itself around a circle,
     * one step for every read of an X coordinate ({@code GetDevicePosX}, {@code GetScreenPosX},
     * {@code GetCursorPosX}); a Y read reports the same point.
     *
     * @return the plug-in's value, unchanged; -99 on failure
     * @see <a href="#device">Device, screen and cursor</a>
     */
    public native int GetCursorPosY();

    // ---- Versions and browser switches ----

    /**
     * Asks the plug-in for its own version, as text of the plug-in's form. The
     * <a href="#simulated">simulated plug-in</a> answers the library's version followed by {@code -sim},
     * for example {@code 1.0.0-sim}, for every component.
     *
     * @return the version; an empty String (never null) on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native String GetPluginVersion();

    /**
     * Asks the plug-in for the Korrin version, as text of the plug-in's form. The
     * <a href="#simulated">simulated plug-in</a> answers the library's version followed by {@code -sim},
     * for example {@code 1.0.0-sim}, for every component.
     *
     * @return the version; an empty String (never null) on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native String GetKorrinVersion();

    /**
     * Asks the plug-in for the VelAPI version, as text of the plug-in's form. The
     * <a href="#simulated">simulated plug-in</a> answers the library's version followed by {@code -sim},
     * for example {@code 1.0.0-sim}, for every component.
     *
     * @return the version; an empty String (never null) on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native String GetVelAPIVersion();

    /**
     * Asks the plug-in for the DX version, as text of the plug-in's form. The
     * <a href="#simulated">simulated plug-in</a> answers the library's version followed by {@code -sim},
     * for example {@code 1.0.0-sim}, for every component.
     *
     * @return the version; an empty String (never null) on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native String GetDXVersion();

    /**
     * Asks the plug-in for the device driver's version, as text of the plug-in's form. The
     * <a href="#simulated">simulated plug-in</a> answers the library's version followed by {@code -sim},
     * for example {@code 1.0.0-sim}, for every component.
     *
     * @return the version; an empty String (never null) on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native String GetDriverVersion();

    /**
     * Asks the plug-in for the Torvex version, as text of the plug-in's form. The
     * <a href="#simulated">simulated plug-in</a> answers the library's version followed by {@code -sim},
     * for example {@code 1.0.0-sim}, for every component.
     *
     * @return the version; an empty String (never null) on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native String GetTorvexVersion();

    /**
     * Asks the plug-in to switch its hyperlinks feature on or off. What the feature does is the plug-in's;
     * the <a href="#simulated">simulated plug-in</a> remembers the setting, which starts on, and reports
     * it through {@link #GetHyperlinksEnabled GetHyperlinksEnabled}.
     *
     * @param enable {@code true} to switch it on, {@code false} to switch it off
     * @return the plug-in's answer, {@code true} when the setting is made; {@code false} on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native boolean EnableHyperlinks(boolean enable);

    /**
     * Asks the plug-in whether its hyperlinks feature is on.
     *
     * @return the plug-in's answer; {@code false} on failure too
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native boolean GetHyperlinksEnabled();

    /**
     * Asks the plug-in to switch its form content feature on or off. What the feature does is the
     * plug-in's; the <a href="#simulated">simulated plug-in</a> remembers the setting, which starts on,
     * and reports it through {@link #GetFormContentEnabled GetFormContentEnabled}.
     *
     * @param enable {@code true} to switch it on, {@code false} to switch it off
     * @return the plug-in's answer, {@code true} when the setting is made; {@code false} on failure
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native boolean EnableFormContent(boolean enable);

    /**
     * Asks the plug-in whether its form content feature is on.
     *
     * @return the plug-in's answer; {@code false} on failure too
     * @see <a href="#versions">Versions and browser switches</a>
     */
    public native boolean GetFormContentEnabled();
}
