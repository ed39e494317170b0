package com.velmora.jvelweb;

import java.io.File;
import java.io.IOException;
import java.net.URISyntaxException;
import java.net.URL;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.InvalidPathException;
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
 *       the directory that holds it. When it is set but does not load, one
 *       warning line on standard error names it and the reason;</li>
 *   <li>the natives this jar carries for the running platform, extracted to a
 *       private per-user folder (see {@link NativeBundle}; {@code -Djvelweb.cache.dir}
 *       names another), checked against the jar's checksums;</li>
 *   <li>the absolute folders of {@code java.library.path}, in order. Empty and
 *       relative elements are not searched: the JDK would read them against the
 *       working directory, which another user may be able to write.</li>
 * </ol>
 * The jar's own natives come before {@code java.library.path}, as sqlite-jdbc
 * orders its search: a library installed elsewhere is taken only when named
 * explicitly or when the jar has none for the platform, so a jar never runs
 * with natives of another build. Wherever {@code libjvelweb} is taken from, a
 * {@code libjvelcom} beside it is loaded first by absolute path, so the
 * dynamic loader never looks for it through {@code LD_LIBRARY_PATH}.
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
        String fix;

        String configured = System.getProperty(LIBRARY_PATH_PROPERTY, "");
        if (configured.isEmpty()) {
            debug("1. -D" + LIBRARY_PATH_PROPERTY + " is not set");
            tried.add("-D" + LIBRARY_PATH_PROPERTY + ": not set");
        } else {
            String problem;
            try {
                Path file = Paths.get(configured).toAbsolutePath();
                boolean folder = Files.isDirectory(file);
                if (folder) file = file.resolve(fileName);
                debug("1. -D" + LIBRARY_PATH_PROPERTY + "=" + configured + ": System.load(" + file + ")");
                problem = !Files.exists(file) ? (folder ? "the folder has no " + fileName : "there is no such file")
                        : loadBesideItsLayer(file);
                if (problem == null) return file.toString();
            } catch (InvalidPathException e) {
                problem = "it is not a path: " + e.getMessage();
            }
            System.err.println("JVelWeb: warning: -D" + LIBRARY_PATH_PROPERTY + "=" + configured + " does not load ("
                    + problem + "); trying the jar's natives and java.library.path instead");
            tried.add("-D" + LIBRARY_PATH_PROPERTY + "=" + configured + ": " + problem);
        }

        debug("2. the natives in the jar for " + NativeBundle.platform());
        try {
            NativeBundle bundle = NativeBundle.forThisPlatform();
            Path file = bundle.extract(jarVersionOr("unversioned")).resolve(fileName);
            String problem = loadBesideItsLayer(file);
            if (problem == null) return file + " (extracted from the jar)";
            tried.add("the jar's natives for " + NativeBundle.platform() + ": " + problem);
            fix = "the jar's natives do not load on this system (see 2.); point -D" + LIBRARY_PATH_PROPERTY
                    + " at the folder of a " + fileName + " built here";
        } catch (TrustRule.Refusal e) {
            debug("   failed: " + e.getMessage());
            tried.add("the jar's natives for " + NativeBundle.platform() + ": " + e.getMessage());
            fix = e.fix + "; or point -D" + LIBRARY_PATH_PROPERTY + " at an installed " + fileName;
        } catch (NativeBundle.NoNatives e) {
            debug("   failed: " + e.getMessage());
            tried.add("the jar's natives for " + NativeBundle.platform() + ": " + e.getMessage());
            fix = "use a jvelweb jar that carries the natives for " + NativeBundle.platform() + " (a jar built on that"
                    + " platform), or point -D" + LIBRARY_PATH_PROPERTY + " at the directory of an installed " + fileName
                    + " (lib/jvelweb of the installation)";
        } catch (IOException e) {
            debug("   failed: " + e.getMessage());
            tried.add("the jar's natives for " + NativeBundle.platform() + ": " + e.getMessage());
            fix = "the jar is damaged: use an intact copy of it; or point -D" + LIBRARY_PATH_PROPERTY + " at an"
                    + " installed " + fileName;
        }

        String libraryPath = System.getProperty("java.library.path", "");
        debug("3. the absolute folders of java.library.path=" + libraryPath);
        List<String> problems = new ArrayList<>();
        List<String> skipped = new ArrayList<>();
        for (String element : libraryPath.split(File.pathSeparator, -1)) {
            Path file;
            try {
                file = Paths.get(element).isAbsolute() && !element.isEmpty() ? Paths.get(element, fileName) : null;
            } catch (InvalidPathException e) {
                file = null;
            }
            if (file == null) {
                skipped.add("'" + element + "'");
                debug("   not searched: '" + element + "' (empty or relative: the working directory would decide)");
            } else if (Files.isRegularFile(file)) {
                debug("   System.load(" + file + ")");
                String problem = loadBesideItsLayer(file);
                if (problem == null) return file.toString();
                problems.add(problem);
            }
        }
        tried.add("java.library.path (" + libraryPath + "): " + (problems.isEmpty() ? "no " + fileName
                + " in its absolute folders" : String.join("; ", problems)) + (skipped.isEmpty() ? ""
                : "; not searched, as empty or relative: " + String.join(", ", skipped)));
        throw new UnsatisfiedLinkError(failure(fileName, tried, fix));
    }

    /**
     * System.load of the file, after the COM layer beside it when there is one;
     * returns null, or why it failed.
     */
    private static String loadBesideItsLayer(Path file) {
        try {
            Path layer = file.resolveSibling(System.mapLibraryName("jvelcom"));
            if (Files.isRegularFile(layer)) {
                debug("   System.load(" + layer + ")");
                System.load(layer.toString());
            }
            System.load(file.toString());
            debug("   loaded " + file);
            return null;
        } catch (UnsatisfiedLinkError e) {
            debug("   failed: " + e.getMessage());
            return e.getMessage();
        }
    }

    private static String failure(String fileName, List<String> tried, String fix) {
        StringBuilder text = new StringBuilder("JVelWeb cannot load its native library " + fileName
                + " (platform " + NativeBundle.platform() + "). Tried, in this order:");
        for (int i = 0; i < tried.size(); i++) {
            text.append(System.lineSeparator()).append("  ").append(i + 1).append(". ").append(tried.get(i));
        }
        return text.append(System.lineSeparator()).append("To fix: ").append(fix).append(". Add -D")
                .append(DEBUG_PROPERTY).append("=true to see each step.").toString();
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

    static void debug(String line) {
        if (Boolean.getBoolean(DEBUG_PROPERTY)) System.err.println("[jvelweb] " + line);
    }
}
