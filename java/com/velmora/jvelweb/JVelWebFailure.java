package com.velmora.jvelweb;

/**
 * One failed call of a {@link JVelWeb} method, and the calling thread's record
 * of them.
 *
 * <p>The methods of {@code JVelWeb} never throw: a failed call answers
 * {@code false}, -99, an empty String or -1, and a plug-in may give the same
 * answers on success. Every failed call also leaves this record on the thread
 * that made it, so a caller can tell the two apart and learn why:
 * <pre>{@code
 * long before = JVelWebFailure.count();
 * int x = web.GetCenterX("spring", 0);
 * if (JVelWebFailure.count() != before) {
 *     System.err.println(JVelWebFailure.last());
 * }
 * }</pre>
 * {@link CheckedJVelWeb} does exactly this around every call and throws a
 * {@link JVelWebException} instead.
 *
 * <p>A thread sees only its own failures. Successful calls leave the record
 * untouched, and writing it costs them nothing.
 *
 * <p>Instances are immutable.
 */
public final class JVelWebFailure {
    static {
        JVelWebLoader.load();
    }

    /** Why a call failed. */
    public enum Cause {
        /**
         * No plug-in was held: {@link JVelWeb#_jni_initialize(int)} had not
         * succeeded, or {@link JVelWeb#_jni_delete()} had run. The HRESULT is
         * {@code E_POINTER} (0x80004003).
         */
        NO_PLUGIN,
        /**
         * A String argument was null; the plug-in was not called. The HRESULT
         * is {@code E_INVALIDARG} (0x80070057), and the description names the
         * argument by its position, counted from 1 in the method's parameter
         * list: {@code "String argument 3 is null"}.
         */
        NULL_ARGUMENT,
        /**
         * {@code _jni_initialize} was called while a plug-in was held, which
         * stays held. The HRESULT is 0x800704DF (initialization has already
         * been completed).
         */
        ALREADY_HELD,
        /**
         * COM or the plug-in refused: the HRESULT is theirs, and the source and
         * description are the plug-in's error information, if it gave some.
         */
        COM_ERROR,
        /**
         * The library or the JVM ran out of memory while handing values
         * across. The HRESULT is {@code E_OUTOFMEMORY} (0x8007000E); when the
         * JVM ran out, an {@link OutOfMemoryError} is pending as well.
         */
        OUT_OF_MEMORY,
    }

    private final String operation;
    private final int hresult;
    private final String message;
    private final String source;
    private final String description;
    private final Cause cause;

    // Made by the native code of last().
    private JVelWebFailure(String operation, int hresult, String message, String source, String description,
            int cause) {
        this.operation = operation;
        this.hresult = hresult;
        this.message = message;
        this.source = source;
        this.description = description;
        this.cause = Cause.values()[cause];
    }

    /**
     * The calling thread's most recent failure.
     *
     * @return the failure, or null when no call has failed on this thread since
     *     it started or since {@link #clear()}
     */
    public static native JVelWebFailure last();

    /**
     * The number of failed calls on the calling thread since it started or
     * since {@link #clear()}. Compare it before and after a call to know
     * whether that call failed.
     *
     * @return the number of failures
     */
    public static native long count();

    /**
     * Forgets the calling thread's record: {@link #last()} answers null and
     * {@link #count()} 0 until the next failure.
     */
    public static native void clear();

    /**
     * The Java method that failed, for example {@code "ChangeGain"} or
     * {@code "_jni_initialize"}.
     *
     * @return the method's name
     */
    public String operation() {
        return operation;
    }

    /**
     * The COM status code of the failure; see {@link Cause} for those the
     * library chooses itself.
     *
     * @return the HRESULT, a negative number
     */
    public int hresult() {
        return hresult;
    }

    /**
     * The system's text for the HRESULT, or "IDispatch error #n" or
     * "Unknown error 0x..." when the system has none: the message line of the
     * trace's report.
     *
     * @return the message, or null if there was no memory left to make it
     */
    public String message() {
        return message;
    }

    /**
     * The source of the error information that came with the failure, for
     * example the plug-in's name.
     *
     * @return the source, or null when there was no error information
     */
    public String source() {
        return source;
    }

    /**
     * The description of the error information that came with the failure.
     * When the plug-in cannot be created, it names the class identifier and,
     * on Linux, the module that was tried and the loader's reason; where the
     * system's COM gives no reason, it says where the registration was looked
     * up. For a null String argument it names the argument's position.
     *
     * @return the description, or null when there was no error information
     *     and no argument was null
     */
    public String description() {
        return description;
    }

    /**
     * Why the call failed.
     *
     * @return the cause
     */
    public Cause cause() {
        return cause;
    }

    /**
     * All of it on one line, for example {@code GetGain failed: COM_ERROR
     * 0x80040a01 "IDispatch error #2049" source="VelWeb Simulator"
     * description="No effect named 'x'"}.
     * Line breaks inside the texts are shown as {@code \n} and {@code \r}.
     *
     * @return the line
     */
    @Override
    public String toString() {
        return operation + " failed: " + cause + " 0x" + Integer.toHexString(hresult) + " " + quoted(message)
                + " source=" + quoted(source) + " description=" + quoted(description);
    }

    private static String quoted(String text) {
        if (text == null) {
            return "null";
        }
        return "\"" + text.replace("\r", "\\r").replace("\n", "\\n") + "\"";
    }
}
