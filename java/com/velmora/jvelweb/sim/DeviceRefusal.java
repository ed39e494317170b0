package com.velmora.jvelweb.sim;

import java.io.IOException;
import java.io.UncheckedIOException;

/**
 * Why a native of {@link SimulatedDevice} could not do its work, thrown by the
 * native code and turned into the public exception at each call site. It is
 * checked, so the compiler makes every caller of a native decide that.
 */
final class DeviceRefusal extends Exception {
    private static final long serialVersionUID = 1L;

    /** No plug-in is held. */
    static final int NO_PLUGIN = 0;
    /** The plug-in held does not offer the control interface. */
    static final int NOT_SIMULATED = 1;
    /** The control interface refused the operation. */
    static final int REFUSED = 2;

    static final int E_INVALIDARG = 0x80070057;
    static final int E_OUTOFMEMORY = 0x8007000E;

    private final int reason;
    private final int hresult;
    private final String description;

    // Made by the native code: (reason, the HRESULT, the error object's
    // description or null).
    private DeviceRefusal(int reason, int hresult, String description) {
        super(null, null, false, false);
        this.reason = reason;
        this.hresult = hresult;
        this.description = description;
    }

    int reason() {
        return reason;
    }

    int hresult() {
        return hresult;
    }

    /** What went wrong, for a message that starts with the operation's name. */
    String because() {
        String code = String.format("0x%08X", hresult);
        switch (reason) {
        case NO_PLUGIN:
            return "no plug-in is held; call JVelWeb._jni_initialize first";
        case NOT_SIMULATED:
            return "the plug-in held is not the simulated one: it does not offer the simulated device's control"
                    + " interface (QueryInterface answered " + code + ")";
        default:
            return "the simulated device refused (" + code + ")"
                    + (description == null || description.isEmpty() ? "" : ": " + description);
        }
    }

    /**
     * The public exception for an operation: IllegalStateException without a
     * simulated plug-in, IllegalArgumentException for an argument the device
     * refused, OutOfMemoryError when it ran out of memory, and
     * IllegalStateException for any other refusal.
     */
    RuntimeException toException(String operation) {
        String message = "SimulatedDevice." + operation + ": " + because();
        if (reason == REFUSED && hresult == E_INVALIDARG) return new IllegalArgumentException(message);
        if (reason == REFUSED && hresult == E_OUTOFMEMORY) throw new OutOfMemoryError(message);
        return new IllegalStateException(message);
    }

    /**
     * The same for an operation that writes a file (`file` names it): any
     * refusal of the device but running out of memory is the file's, an
     * UncheckedIOException.
     */
    RuntimeException toFileException(String operation, String file) {
        if (reason != REFUSED || hresult == E_OUTOFMEMORY) return toException(operation);
        String message = "SimulatedDevice." + operation + ": " + file + " cannot be written: " + because();
        return new UncheckedIOException(message, new IOException(message, this));
    }
}
