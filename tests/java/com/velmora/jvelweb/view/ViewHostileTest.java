package com.velmora.jvelweb.view;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.net.Socket;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;

/**
 * Hostile requests against a JVM's live view: each is refused with its
 * status, and afterwards the simulator still answers, the page is still
 * served, and the JVM is alive. The JVM announced its view once.
 */
class ViewHostileTest {
    @Test
    void hostileRequestsAreRefusedAndLeaveTheSimulatorAndTheJvmWorking() throws Exception {
        try (ViewProcess program = new ViewProcess()) {
            int[] before = program.force();
            String host = "Host: 127.0.0.1:" + program.port + "\r\n";
            String t = program.token;
            String[][] rows = {
                {"no token", "GET / HTTP/1.1\r\n" + host + "\r\n", "403"},
                {"no token for a file", "GET /view.js HTTP/1.1\r\n" + host + "\r\n", "403"},
                {"wrong token", "GET /?token=" + "0".repeat(64) + " HTTP/1.1\r\n" + host + "\r\n", "403"},
                {"token of another length", "GET /?token=" + t.substring(1) + " HTTP/1.1\r\n" + host + "\r\n", "403"},
                {"another origin", "POST /hand?token=" + t + "&x=1&y=1 HTTP/1.1\r\n" + host
                        + "Origin: http://attacker.example\r\nContent-Length: 0\r\n\r\n", "403"},
                {"a rebound host name", "GET /?token=" + t + " HTTP/1.1\r\nHost: attacker.example:" + program.port
                        + "\r\n\r\n", "403"},
                {"no request line", "BLAH\r\n\r\n", "400"},
                {"a request line without a version", "GET /?token=" + t + "\r\n" + host + "\r\n", "400"},
                {"an unknown method", "BREW /?token=" + t + " HTTP/1.1\r\n" + host + "\r\n", "400"},
                {"a URI too long", "GET /?token=" + t + "&pad=" + "a".repeat(5000) + " HTTP/1.1\r\n" + host + "\r\n",
                        "414"},
                {"a header too long", "GET /?token=" + t + " HTTP/1.1\r\n" + host + "X-Pad: " + "a".repeat(6000)
                        + "\r\n\r\n", "400"},
                {"a body too large", "POST /hand?token=" + t + "&x=1&y=1 HTTP/1.1\r\n" + host
                        + "Content-Length: 100000\r\n\r\n", "413"},
                {"a hand that is not a number", "POST /hand?token=" + t + "&x=1e9&y=1 HTTP/1.1\r\n" + host
                        + "Content-Length: 0\r\n\r\n", "400"},
                {"a file outside the page", "GET /../../etc/passwd?token=" + t + " HTTP/1.1\r\n" + host + "\r\n",
                        "404"},
            };
            for (String[] row : rows) assertEquals(row[2], status(program.port, row[1]), row[0]);
            assertEquals("200", status(program.port, "GET /?token=" + t + " HTTP/1.1\r\n" + host + "\r\n"));

            // 1000 connections at once, held open: half silent, half with a request line begun.
            List<Socket> flood = new ArrayList<>();
            try {
                for (int i = 0; i < 1000; i++) {
                    Socket s = new Socket("127.0.0.1", program.port);
                    if (i % 2 == 1) s.getOutputStream().write("GET /?tok".getBytes(StandardCharsets.US_ASCII));
                    flood.add(s);
                }
                assertEquals(before[0] + " " + before[1], program.ask("force"), "the simulator works during the flood");
                String during = status(program.port, "GET /?token=" + t + " HTTP/1.1\r\n" + host + "\r\n");
                assertTrue(during.equals("200") || during.equals("503"), "answered during the flood: " + during);
            } finally {
                for (Socket s : flood) s.close();
            }
            String after = "";
            for (long end = System.nanoTime() + 20_000_000_000L; !after.equals("200") && System.nanoTime() < end; )
                after = status(program.port, "GET /?token=" + t + " HTTP/1.1\r\n" + host + "\r\n");
            assertEquals("200", after, "the page is served again after the flood");
            assertTrue(firstEvent(program).startsWith("data: {\"t\":"), "frames stream again");
            assertEquals(before[0] + " " + before[1], program.ask("force"));
            assertTrue(program.process.isAlive());
            synchronized (program.stderrLines) {
                assertEquals(1, program.stderrLines.stream().filter(l -> l.startsWith("JVelWeb simulated device")).count(),
                        "one announcement: " + program.stderrLines);
            }
        }
    }

    /** Sends raw bytes and returns the status code of the answer ("closed" when there is none). */
    static String status(int port, String request) throws IOException {
        try (Socket s = new Socket("127.0.0.1", port)) {
            s.setSoTimeout(10000);
            s.getOutputStream().write(request.getBytes(StandardCharsets.US_ASCII));
            String line = readLine(s.getInputStream());
            return line.startsWith("HTTP/1.1 ") ? line.substring(9, 12) : "closed";
        }
    }

    static String firstEvent(ViewProcess program) throws IOException {
        try (Socket s = new Socket("127.0.0.1", program.port)) {
            s.setSoTimeout(10000);
            OutputStream out = s.getOutputStream();
            out.write(("GET /events?token=" + program.token + " HTTP/1.1\r\nHost: 127.0.0.1:" + program.port
                    + "\r\n\r\n").getBytes(StandardCharsets.US_ASCII));
            InputStream in = s.getInputStream();
            for (;;) {
                String line = readLine(in);
                if (line.startsWith("data: ") || line.equals("closed")) return line;
            }
        }
    }

    static String readLine(InputStream in) throws IOException {
        StringBuilder line = new StringBuilder();
        for (int c; (c = in.read()) != -1; ) {
            if (c == '\n') return line.toString().replace("\r", "");
            line.append((char) c);
        }
        return line.length() == 0 ? "closed" : line.toString();
    }
}
