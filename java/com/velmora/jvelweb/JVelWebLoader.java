package com.velmora.jvelweb;

import java.io.File;
import java.io.IOException;
import java.net.URISyntaxException;
import java.net.URL;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.security.CodeSource;
import java.util.ArrayList;
import java.util.List;
import java.util.jar.JarFile;
import java.util.jar.Manifest;

/**
 * Loads the native library before the first native method of this package is
 * bound. Every class of ours with native methods loads through here, once.
 *
 * <p>The first of these that loads wins:
 * <ol>
 *   <li>the system property {@code jvelweb.library.path}: the library file, or
 *       the directory that holds it;</li>
 *   <li>{@code java.library.path}, through {@link System#loadLibrary};</li>
 *   <li>the natives this jar carries for the running platform, extracted to a
 *       private per-user folder (see {@link NativeBundle}).</li>
 * </ol>
 * Then the library's version must be the jar's {@code Implementation-Version}.
 * {@code -Djvelweb.debug=true} prints each step on standard error. A failure is
 * one {@link UnsatisfiedLinkError} that says what was tried and how to fix it.
 */
final class JVelWebLoader {
    static final String LIBRARY_PATH_PROPERTY = "jvelweb.library.path";
    static final String DEBUG_PROPERTY = "jvelweb.debug";
    static final String LIBRARY = "jvelweb";

    private JVelWebLoader() {}

    private static boolean loaded;

    /** The version the library was built as: the project version of its build. */
    static native String nativeVersion();

    /** Loads libjvelweb (jvelweb.dll on Windows) once per class loader. */
    static synchronized void load() {
        if (loaded) return;
        String source = findAndLoad();
        checkVersion(source, jarVersion());
        JVelWebTrace.configureFromSettings();
        JVelWebSimulatedView.configureFromSettings();
        loaded = true;
    }

    /** Loads the library from the first place that has it; returns where that was. */
    private static String findAndLoad() {
        List<String> tried = new ArrayList<>();
        String fileName = System.mapLibraryName(LIBRARY);

        String configured = System.getProperty(LIBRARY_PATH_PROPERTY, "");
        if (configured.isEmpty()) {
            debug("1. -D" + LIBRARY_PATH_PROPERTY + " is not set");
            tried.add("-D" + LIBRARY_PATH_PROPERTY + ": not set");
        } else {
            Path file = Paths.get(configured).toAbsolutePath();
            if (Files.isDirectory(file)) file = file.resolve(fileName);
            debug("1. -D" + LIBRARY_PATH_PROPERTY + "=" + configured + ": System.load(" + file + ")");
            try {
                System.load(file.toString());
                debug("   loaded " + file);
                return file.toString();
            } catch (UnsatisfiedLinkError e) {
                debug("   failed: " + e.getMessage());
                tried.add("-D" + LIBRARY_PATH_PROPERTY + "=" + configured + ": " + e.getMessage());
            }
        }

        String libraryPath = System.getProperty("java.library.path", "");
        debug("2. System.loadLibrary(\"" + LIBRARY + "\") on java.library.path=" + libraryPath);
        try {
            System.loadLibrary(LIBRARY);
            String where = onLibraryPath(libraryPath, fileName);
            debug("   loaded " + where);
            return where;
        } catch (UnsatisfiedLinkError e) {
            debug("   failed: " + e.getMessage());
            tried.add("java.library.path (" + libraryPath + "): " + e.getMessage());
        }

        debug("3. the natives in the jar for " + NativeBundle.platform());
        try {
            NativeBundle bundle = NativeBundle.forThisPlatform();
            Path directory = bundle.extract(jarVersionOr("unversioned"), JVelWebLoader::debug);
            for (String companion : bundle.companions()) {
                debug("   System.load(" + directory.resolve(companion) + ")");
                System.load(directory.resolve(companion).toString());
            }
            Path file = directory.resolve(fileName);
            debug("   System.load(" + file + ")");
            System.load(file.toString());
            debug("   loaded " + file);
            return file + " (extracted from the jar)";
        } catch (IOException | UnsatisfiedLinkError e) {
            debug("   failed: " + e.getMessage());
            tried.add("the jar's natives for " + NativeBundle.platform() + ": " + e.getMessage());
        }
        throw new UnsatisfiedLinkError(failure(fileName, tried));
    }

    private static String failure(String fileName, List<String> tried) {
        StringBuilder text = new StringBuilder("JVelWeb cannot load its native library " + fileName
                + " (platform " + NativeBundle.platform() + "). Tried, in this order:");
        for (int i = 0; i < tried.size(); i++) {
            text.append(System.lineSeparator()).append("  ").append(i + 1).append(". ").append(tried.get(i));
        }
        return text.append(System.lineSeparator())
                .append("To fix: use a jvelweb jar that carries the natives for ").append(NativeBundle.platform())
                .append(" (a jar built on that platform), or point -D").append(LIBRARY_PATH_PROPERTY)
                .append(" at the directory of an installed ").append(fileName)
                .append(" (lib/jvelweb of the installation). Add -D").append(DEBUG_PROPERTY)
                .append("=true to see each step.").toString();
    }

    /** Refuses a library of another release than this jar's. */
    static void checkVersion(String source, String expected) {
        String actual;
        try {
            actual = nativeVersion();
        } catch (UnsatisfiedLinkError e) {
            throw new UnsatisfiedLinkError("The native library " + source + " does not report its version,"
                    + " so it is older than this jar (JVelWeb " + expected + "). Use the library of the same"
                    + " release as the jar, or remove the old one from -D" + LIBRARY_PATH_PROPERTY
                    + " and java.library.path so the jar's own natives load.");
        }
        if (expected == null) {
            debug("library version " + actual + "; the classes are not in a versioned jar, so not compared");
            return;
        }
        debug("library version " + actual + ", jar version " + expected);
        if (!expected.equals(actual)) {
            throw new UnsatisfiedLinkError("The native library " + source + " is JVelWeb " + actual
                    + ", but this jar is JVelWeb " + expected + ". Use the library of the same release as"
                    + " the jar, or remove the other one from -D" + LIBRARY_PATH_PROPERTY
                    + " and java.library.path so the jar's own natives load.");
        }
    }

    /** The jar's Implementation-Version, or null when the classes are not in one. */
    static String jarVersion() {
        Package pkg = JVelWebLoader.class.getPackage();
        if (pkg != null && pkg.getImplementationVersion() != null) return pkg.getImplementationVersion();
        // On the module path the package carries no manifest values: read ours.
        CodeSource code = JVelWebLoader.class.getProtectionDomain().getCodeSource();
        URL location = code == null ? null : code.getLocation();
        if (location == null) return null;
        try {
            File file = new File(location.toURI());
            if (!file.isFile()) return null;
            try (JarFile jar = new JarFile(file)) {
                Manifest manifest = jar.getManifest();
                return manifest == null ? null : manifest.getMainAttributes().getValue("Implementation-Version");
            }
        } catch (IOException | URISyntaxException | IllegalArgumentException e) {
            return null;
        }
    }

    private static String jarVersionOr(String fallback) {
        String version = jarVersion();
        return version == null ? fallback : version;
    }

    private static String onLibraryPath(String libraryPath, String fileName) {
        for (String directory : libraryPath.split(File.pathSeparator)) {
            if (directory.isEmpty()) continue;
            File file = new File(directory, fileName);
            if (file.isFile()) return file.getAbsolutePath();
        }
        return fileName + " on java.library.path";
    }

    static void debug(String line) {
        if (Boolean.getBoolean(DEBUG_PROPERTY)) System.err.println("[jvelweb] " + line);
    }
}
