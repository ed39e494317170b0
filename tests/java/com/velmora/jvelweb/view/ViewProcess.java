package com.velmora.jvelweb.view;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStreamReader;
import java.io.PrintWriter;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.ArrayBlockingQueue;
import java.util.concurrent.BlockingQueue;
import java.util.concurrent.TimeUnit;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/** A {@link ViewedProgram} in a JVM of its own, with its live view's address read from its stderr. */
final class ViewProcess implements AutoCloseable {
    private static final Pattern ANNOUNCED =
            Pattern.compile("JVelWeb simulated device: (http://127\\.0\\.0\\.1:(\\d+)/\\?token=([0-9a-f]{64}))");

    final Process process;
    final String address;
    final int port;
    final String token;
    final List<String> stderrLines = new ArrayList<>();
    private final BufferedReader out;
    private final PrintWriter in;

    ViewProcess(String... programArgs) throws IOException, InterruptedException {
        List<String> command = new ArrayList<>(List.of(
                Path.of(System.getProperty("java.home"), "bin", "java").toString(),
                "-Djvelweb.sim.view=0",
                "-Djava.library.path=" + System.getProperty("java.library.path"),
                "-cp", System.getProperty("jvelweb.classPath", System.getProperty("java.class.path")),
                ViewedProgram.class.getName()));
        command.addAll(List.of(programArgs));
        process = new ProcessBuilder(command).start();
        out = new BufferedReader(new InputStreamReader(process.getInputStream(), StandardCharsets.UTF_8));
        in = new PrintWriter(process.getOutputStream(), true, StandardCharsets.UTF_8);
        BlockingQueue<String> announced = new ArrayBlockingQueue<>(1);
        Thread reader = new Thread(() -> {
            try (BufferedReader err = new BufferedReader(
                    new InputStreamReader(process.getErrorStream(), StandardCharsets.UTF_8))) {
                for (String line; (line = err.readLine()) != null; ) {
                    synchronized (stderrLines) {
                        stderrLines.add(line);
                    }
                    if (line.startsWith("JVelWeb simulated device: ")) announced.offer(line);
                }
            } catch (IOException ignored) {
                // the process ended
            }
        });
        reader.setDaemon(true);
        reader.start();
        String line = announced.poll(30, TimeUnit.SECONDS);
        Matcher m = line == null ? null : ANNOUNCED.matcher(line);
        if (m == null || !m.matches()) {
            process.destroyForcibly();
            throw new IllegalStateException("the program announced no view: " + line + " " + stderrLines);
        }
        address = m.group(1);
        port = Integer.parseInt(m.group(2));
        token = m.group(3);
        String ready = out.readLine();
        if (!"ready".equals(ready)) throw new IllegalStateException("the program said " + ready + " " + stderrLines);
    }

    /** Sends one command and returns the program's one-line answer. */
    String ask(String command) throws IOException {
        in.println(command);
        String answer = out.readLine();
        if (answer == null) throw new IOException("the program ended: " + stderrLines);
        return answer;
    }

    /** SimulatedDevice.forceX() and forceY() in the program. */
    int[] force() throws IOException {
        String[] parts = ask("force").split(" ");
        return new int[] {Integer.parseInt(parts[0]), Integer.parseInt(parts[1])};
    }

    @Override
    public void close() throws InterruptedException {
        in.println("quit");
        if (!process.waitFor(20, TimeUnit.SECONDS)) process.destroyForcibly();
    }
}
