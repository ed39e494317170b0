package com.velmora.jvelweb;

/**
 * A call of {@link CheckedJVelWeb} failed. The exception carries the thread's
 * record of the failure; its message is that record on one line.
 */
public class JVelWebException extends RuntimeException {
    private static final long serialVersionUID = 1L;

    /** The failure; not serialized, as the record is not serializable. */
    private final transient JVelWebFailure failure;

    /**
     * An exception for a failed call.
     *
     * @param failure the record of the failed call
     */
    public JVelWebException(JVelWebFailure failure) {
        super(String.valueOf(failure));
        this.failure = failure;
    }

    /**
     * The record of the failed call.
     *
     * @return the failure (null only after deserialization)
     */
    public JVelWebFailure failure() {
        return failure;
    }
}
