package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.security.MessageDigest;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HexFormat;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.function.Consumer;
import java.util.concurrent.CompletableFuture;
import java.util.jar.Attributes;
import java.util.jar.JarEntry;
import java.util.jar.JarInputStream;
import java.util.jar.JarOutputStream;
import java.util.jar.Manifest;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The library search in child JVMs with a clean environment and a home of
 * their own: the order of the three places, extraction from the jar into a
 * private folder of its build that is reused and repaired, the one error that
 * lists every step with the right fix, the warnings, and the version
 * handshake. What hostile neighbours could do to the search is in
 * {@link LoaderTrustTest}.
 */
class LoaderTest {
    static {
        JVelWebLoader.load();  // this JVM's own library, for nativeVersion()
    }

    static final String JAR = System.getProperty("jvelweb.jar");
    static final String CLASSES_JAR = System.getProperty("jvelweb.classesJar");
    static final String LIBRARY_DIRECTORY = System.getProperty("jvelweb.libraryDirectory");
    static final String PROBE_JAR = System.getProperty("jvelweb.probeJar");
    static final String PLATFORM = NativeBundle.platform();
    static final String IDENTITY = identity();
    private static final List<String> BUNDLED = List.of("libjvelcom.so", "libjvelweb.so", "libvelwebsim.so",
            "jvelcom-classes/{18B46DCC-AD84-47A3-8974-433DC96BACB6}");

    record Run(int exit, String stdout, String stderr) {
        void assertAcquired() {
            assertEquals(0, exit, "exit; stdout " + stdout + " stderr " + stderr);
            assertEquals("initialize 0\nversion " + JVelWebLoader.nativeVersion() + "-sim\ndelete 0\n", stdout);
        }

        String error() {
            assertEquals(3, exit, "exit; stdout " + stdout + " stderr " + stderr);
            return stdout;
        }
    }

    static Run probe(Path home, String jar, String... options) throws Exception {
        return probe(home, Map.of(), null, jar, options);
    }

    /** With more environment variables, and a working directory (null: this one's). */
    static Run probe(Path home, Map<String, String> environment, Path directory, String jar, String... options)
            throws Exception {
        List<String> command = new ArrayList<>(List.of(System.getProperty("java.home") + "/bin/java",
                "--enable-native-access=ALL-UNNAMED"));
        command.addAll(Arrays.asList(options));
        command.addAll(List.of("-cp", jar + ":" + PROBE_JAR, LoaderProbe.class.getName()));
        ProcessBuilder builder = new ProcessBuilder(command);
        builder.environment().clear();
        builder.environment().put("PATH", "/usr/bin:/bin");
        builder.environment().put("HOME", home.toString());
        builder.environment().putAll(environment);
        if (directory != null) builder.directory(directory.toFile());
        Process process = builder.start();
        CompletableFuture<String> out = CompletableFuture.supplyAsync(() -> read(process.getInputStream()));
        String err = read(process.getErrorStream());
        return new Run(process.waitFor(), out.get(), err);
    }

    private static String read(InputStream stream) {
        try (InputStream in = stream) {
            return new String(in.readAllBytes(), StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new java.io.UncheckedIOException(e);
        }
    }

    static Path extracted(Path home) {
        return home.resolve(".cache/jvelweb/" + JVelWebLoader.jarVersion() + "/" + PLATFORM + "-" + IDENTITY);
    }

    private static String identity() {
        try {
            return NativeBundle.forThisPlatform().identity();
        } catch (IOException e) {
            throw new java.io.UncheckedIOException(e);
        }
    }

    /** A copy of the jar under another version, with changes to some entries (by name). */
    static Path copyJar(Path to, String version, Consumer<Map<String, byte[]>> change) throws IOException {
        Map<String, byte[]> entries = new LinkedHashMap<>();
        Manifest manifest;
        try (JarInputStream in = new JarInputStream(Files.newInputStream(Paths.get(JAR)))) {
            manifest = in.getManifest();
            for (JarEntry entry; (entry = in.getNextJarEntry()) != null; ) entries.put(entry.getName(), in.readAllBytes());
        }
        manifest.getMainAttributes().put(Attributes.Name.IMPLEMENTATION_VERSION, version);
        change.accept(entries);
        try (OutputStream file = Files.newOutputStream(to); JarOutputStream out = new JarOutputStream(file, manifest)) {
            for (Map.Entry<String, byte[]> entry : entries.entrySet()) {
                out.putNextEntry(new JarEntry(entry.getKey()));
                out.write(entry.getValue());
            }
        }
        return to;
    }

    static String sha256(byte[] bytes) throws Exception {
        return HexFormat.of().formatHex(MessageDigest.getInstance("SHA-256").digest(bytes));
    }

    static String mode(Path path) throws IOException {
        return PosixFilePermissions.toString(Files.getPosixFilePermissions(path, LinkOption.NOFOLLOW_LINKS));
    }

    @Test
    void jarAloneExtractsPrivatelyOnceAndReusesWhatMatches(@TempDir Path home) throws Exception {
        Run first = probe(home, JAR, "-Djvelweb.debug=true");
        first.assertAcquired();
        for (String file : BUNDLED) assertTrue(first.stderr.contains("extracted " + file + "\n"), first.stderr);
        Path folder = extracted(home);
        for (Path path : new Path[] {home.resolve(".cache/jvelweb"), folder.getParent(), folder,
                folder.resolve("jvelcom-classes")}) {
            assertEquals("rwx------", mode(path), path.toString());
        }
        assertEquals("rwx------", mode(folder.resolve("libjvelweb.so")));
        assertEquals("rw-------", mode(folder.resolve(BUNDLED.get(3))));
        assertEquals("rw-------", mode(folder.resolve(".verified")));
        try (Stream<Path> files = Files.list(folder)) {
            assertEquals(5, files.count(), "the natives and the stamp, no temporary files left behind");
        }
        // Stripped, with a link to the debug information kept apart.
        String library = new String(Files.readAllBytes(folder.resolve("libjvelweb.so")), StandardCharsets.ISO_8859_1);
        assertTrue(library.contains(".gnu_debuglink") && !library.contains(".debug_info"), "not stripped");

        Run second = probe(home, JAR, "-Djvelweb.debug=true");
        second.assertAcquired();
        for (String file : BUNDLED) {
            assertTrue(second.stderr.contains("reused " + file + " (unchanged since it was verified)"), second.stderr);
        }
        assertFalse(second.stderr.contains("extracted"), second.stderr);

        Run quiet = probe(home, JAR);
        quiet.assertAcquired();
        assertEquals("", quiet.stderr, "nothing on stderr without jvelweb.debug");
    }

    /** What the stamp vouches for is re-read when anything of it changed, even with size and time put back. */
    @Test
    void changedFilesAndLooseModesAreRepaired(@TempDir Path home) throws Exception {
        probe(home, JAR).assertAcquired();
        Path folder = extracted(home);
        Path registration = folder.resolve(BUNDLED.get(3));
        byte[] original = Files.readAllBytes(registration);
        Files.writeString(registration, "/elsewhere/libevil.so\n");
        Files.setPosixFilePermissions(folder.resolve("libjvelweb.so"), PosixFilePermissions.fromString("rwxrwxrwx"));
        Files.setPosixFilePermissions(folder.getParent(), PosixFilePermissions.fromString("rwxrwxrwx"));
        Path simulator = folder.resolve("libvelwebsim.so");
        byte[] module = Files.readAllBytes(simulator);
        var modified = Files.getLastModifiedTime(simulator);
        module[module.length - 1] ^= 1;
        Files.write(simulator, module);
        Files.setLastModifiedTime(simulator, modified);

        Run run = probe(home, JAR, "-Djvelweb.debug=true");
        run.assertAcquired();
        for (String file : List.of(BUNDLED.get(3), "libjvelweb.so", "libvelwebsim.so")) {
            assertTrue(run.stderr.contains("extracted " + file + "\n"), run.stderr);
        }
        assertTrue(run.stderr.contains("reused libjvelcom.so (unchanged"), run.stderr);
        assertTrue(Arrays.equals(original, Files.readAllBytes(registration)));
        assertEquals("rwx------", mode(folder.resolve("libjvelweb.so")));
        assertEquals("rwx------", mode(folder.getParent()));

        Files.delete(folder.resolve(".verified"));  // no stamp: each file is read through its checksum once
        Run unstamped = probe(home, JAR, "-Djvelweb.debug=true");
        unstamped.assertAcquired();
        for (String file : BUNDLED) assertTrue(unstamped.stderr.contains("reused " + file + " (checksum matches)"), unstamped.stderr);
    }

    @Test
    void oneErrorListsEveryPlaceTriedAndTheFix(@TempDir Path home) throws Exception {
        String error = probe(home, CLASSES_JAR, "-Djvelweb.library.path=" + home.resolve("absent")).error();
        String[] lines = error.split(System.lineSeparator());
        assertTrue(lines[0].startsWith("UnsatisfiedLinkError: JVelWeb cannot load its native library libjvelweb.so"
                + " (platform " + PLATFORM + "). Tried, in this order:"), error);
        assertEquals("  1. -Djvelweb.library.path=" + home.resolve("absent") + ": there is no such file", lines[1]);
        assertEquals("  2. the jar's natives for " + PLATFORM + ": this jar carries no natives for " + PLATFORM
                + " (it carries: none)", lines[2]);
        assertTrue(lines[3].startsWith("  3. java.library.path ("), error);
        assertTrue(lines[4].startsWith("To fix: use a jvelweb jar that carries the natives for " + PLATFORM), error);
        assertTrue(lines[4].endsWith("Add -Djvelweb.debug=true to see each step."), error);
    }

    /**
     * The property, then the jar's own natives, then java.library.path; only
     * what is loaded from the jar lands in the cache, by a path with no link.
     */
    @Test
    void theSearchTakesTheFirstPlaceThatLoads(@TempDir Path home) throws Exception {
        String built = Paths.get(LIBRARY_DIRECTORY, "libjvelweb.so").toString();
        // 1. the property, as a folder and as a file, before the jar and java.library.path
        for (String value : new String[] {LIBRARY_DIRECTORY, built}) {
            Run run = probe(home, JAR, "-Djvelweb.debug=true", "-Djvelweb.library.path=" + value,
                    "-Djava.library.path=" + home.resolve("absent"));
            run.assertAcquired();
            assertTrue(run.stderr.contains("   loaded " + built + "\n"), run.stderr);
            assertFalse(run.stderr.contains("2. the natives in the jar"), run.stderr);
        }
        assertFalse(Files.exists(home.resolve(".cache/jvelweb")));
        // 2. the jar before java.library.path, by the real path of a home reached through a link
        Path link = Files.createSymbolicLink(home.resolveSibling(home.getFileName() + "-link"), home);
        try {
            Run jarFirst = probe(link, JAR, "-Djvelweb.debug=true", "-Djava.library.path=" + LIBRARY_DIRECTORY);
            jarFirst.assertAcquired();
            assertTrue(jarFirst.stderr.contains("   loaded " + extracted(home.toRealPath()).resolve("libjvelweb.so") + "\n"),
                    jarFirst.stderr);
        } finally {
            Files.delete(link);
        }
        // 3. java.library.path when the jar has no natives for the platform
        Run onPath = probe(home, CLASSES_JAR, "-Djvelweb.debug=true", "-Djava.library.path=" + LIBRARY_DIRECTORY);
        onPath.assertAcquired();
        assertTrue(onPath.stderr.contains("   loaded " + built + "\n"), onPath.stderr);
    }

    /**
     * What the loader tells: a cache folder it cannot use (named, with where
     * the choice came from, the reason and the fix), the property that names
     * another, and one warning line for a jvelweb.library.path that does not
     * load before the jar's natives are taken.
     */
    @Test
    void diagnosticsNameTheFolderTheReasonAndTheFix(@TempDir Path home) throws Exception {
        String reached = "cannot be used: it cannot be created or reached: no such file or folder: /proc/nope";
        String fix = "To fix: make /proc/nope a folder you can write, or name another with -Djvelweb.cache.dir=<folder>";
        for (Run run : List.of(probe(home, JAR, "-Djvelweb.cache.dir=/proc/nope"),
                probe(home, Map.of("XDG_CACHE_HOME", "/proc/nope"), null, JAR))) {
            String[] lines = run.error().split("\n");
            assertTrue(lines[2].startsWith("  2. the jar's natives for " + PLATFORM + ": the cache folder /proc/nope (from "),
                    run.stdout);
            assertTrue(lines[2].endsWith(reached), run.stdout);
            assertTrue(lines[4].startsWith(fix), run.stdout);
        }
        assertTrue(probe(home, JAR, "-Djvelweb.cache.dir=relative").error().contains(
                "the cache folder relative (from -Djvelweb.cache.dir) cannot be used: it is not an absolute path"));

        // A native that is not what the index says is never extracted: the jar is damaged.
        Path damaged = copyJar(home.resolve("damaged.jar"), JVelWebLoader.jarVersion(),
                entries -> entries.get("com/velmora/jvelweb/native/" + PLATFORM + "/libjvelweb.so")[64] ^= 1);
        String error = probe(home, Map.of("XDG_CACHE_HOME", home.resolve("damaged").toString()), null,
                damaged.toString()).error();
        assertTrue(error.contains("2. the jar's natives for " + PLATFORM + ": the jar's libjvelweb.so for " + PLATFORM
                + " does not match its checksum\n"), error);
        assertTrue(error.contains("To fix: the jar is damaged: use an intact copy of it;"), error);

        Path chosen = home.resolve("chosen");
        Run named = probe(home, JAR, "-Djvelweb.cache.dir=" + chosen, "-Djvelweb.library.path=" + home.resolve("absent"));
        named.assertAcquired();
        assertEquals("JVelWeb: warning: -Djvelweb.library.path=" + home.resolve("absent") + " does not load (there is no"
                + " such file); trying the jar's natives and java.library.path instead\n", named.stderr);
        assertTrue(Files.isRegularFile(chosen.resolve(home.relativize(extracted(home)).subpath(1, 4)).resolve("libjvelweb.so")));
        assertFalse(Files.exists(home.resolve(".cache")));
    }

    @Test
    void aLibraryOfAnotherReleaseIsRefused(@TempDir Path home) throws Exception {
        Path older = copyJar(home.resolve("jvelweb-0.9.0.jar"), "0.9.0", entries -> {});
        String error = probe(home, older.toString(), "-Djvelweb.library.path=" + LIBRARY_DIRECTORY).error();
        assertEquals("UnsatisfiedLinkError: The native library " + LIBRARY_DIRECTORY + "/libjvelweb.so is JVelWeb "
                + JVelWebLoader.nativeVersion() + ", but this jar is JVelWeb 0.9.0. Use the library of the same release"
                + " as the jar, or remove the other one from -Djvelweb.library.path and java.library.path so the"
                + " jar's own natives load.\n", error);
        // Natives extracted from that jar are this build's, so they are refused too.
        error = probe(home, older.toString()).error();
        assertTrue(error.contains(home.resolve(".cache/jvelweb/0.9.0/" + PLATFORM + "-" + IDENTITY + "/libjvelweb.so")
                + " (extracted from the jar) is JVelWeb " + JVelWebLoader.nativeVersion() + ", but this jar is JVelWeb 0.9.0"),
                error);
    }

    @Test
    void theManifestNamesTheModuleTheVersionAndNativeAccess() throws Exception {
        try (JarInputStream in = new JarInputStream(Files.newInputStream(Paths.get(JAR)))) {
            Attributes main = in.getManifest().getMainAttributes();
            assertEquals("com.velmora.jvelweb", main.getValue("Automatic-Module-Name"));
            assertEquals(JVelWebLoader.nativeVersion(), main.getValue("Implementation-Version"));
            assertEquals("ALL-UNNAMED", main.getValue("Enable-Native-Access"));
        }
        assertTrue(Paths.get(JAR).getFileName().toString().equals("jvelweb-" + JVelWebLoader.nativeVersion() + ".jar"));
    }

    /** From Java 22 on, loading a library warns unless native access is enabled; the flag we document silences it. */
    @Test
    void theDocumentedFlagSilencesTheNativeAccessWarning(@TempDir Path home) throws Exception {
        Run withFlag = probe(home, JAR);
        withFlag.assertAcquired();
        assertEquals("", withFlag.stderr);
        assumeTrue(Runtime.version().feature() >= 22, "Java " + Runtime.version().feature() + " does not warn");
        ProcessBuilder builder = new ProcessBuilder(System.getProperty("java.home") + "/bin/java", "-cp",
                JAR + ":" + PROBE_JAR, LoaderProbe.class.getName());
        builder.environment().put("HOME", home.toString());
        Process process = builder.start();
        CompletableFuture<String> out = CompletableFuture.supplyAsync(() -> read(process.getInputStream()));
        String err = read(process.getErrorStream());
        assertEquals(0, process.waitFor());
        out.get();
        assertTrue(err.contains("--enable-native-access=ALL-UNNAMED"), err);
    }
}
