package com.velmora.jvelweb.view;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStreamReader;
import java.net.URI;
import java.net.http.HttpClient;
import java.net.http.WebSocket;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Base64;
import java.util.List;
import java.util.Map;
import java.util.concurrent.CompletableFuture;
import java.util.concurrent.CompletionStage;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * Debian's headless Chromium driven through the DevTools protocol over
 * Java's own WebSocket client: no browser download, no library. One page,
 * attached with a flat session; its uncaught exceptions are collected.
 */
final class DevTools implements AutoCloseable {
    private static final Pattern LISTENING = Pattern.compile("DevTools listening on (ws://\\S+)");
    private static final Pattern ID = Pattern.compile("^\\{\"id\":(\\d+),");
    private static final Pattern STRING_VALUE = Pattern.compile("\"value\":\"((?:[^\"\\\\]|\\\\.)*)\"");

    private final Process browser;
    private final WebSocket socket;
    private final AtomicInteger ids = new AtomicInteger();
    private final Map<Integer, CompletableFuture<String>> pending = new ConcurrentHashMap<>();
    final List<String> exceptions = new ArrayList<>();
    private String session;

    DevTools(Path profile) throws Exception {
        browser = new ProcessBuilder("chromium", "--headless=new", "--no-sandbox", "--disable-gpu",
                "--disable-dev-shm-usage", "--no-first-run", "--no-default-browser-check", "--disable-extensions",
                "--hide-scrollbars", "--window-size=1400,1100", "--remote-debugging-port=0",
                "--user-data-dir=" + profile, "about:blank").redirectOutput(ProcessBuilder.Redirect.DISCARD).start();
        BufferedReader err = new BufferedReader(new InputStreamReader(browser.getErrorStream(), StandardCharsets.UTF_8));
        String url = null;
        for (String line; url == null && (line = err.readLine()) != null; ) {
            Matcher m = LISTENING.matcher(line);
            if (m.find()) url = m.group(1);
        }
        if (url == null) throw new IllegalStateException("Chromium printed no DevTools address");
        Thread drain = new Thread(() -> err.lines().forEach(line -> {}));
        drain.setDaemon(true);
        drain.start();
        socket = HttpClient.newHttpClient().newWebSocketBuilder().buildAsync(URI.create(url), new Listener())
                .get(30, TimeUnit.SECONDS);
    }

    /** Opens url in a new page and attaches to it; later calls go to that page. */
    void open(String url) throws Exception {
        String created = call("Target.createTarget", "{\"url\":\"about:blank\"}", false);
        String target = field(created, "targetId");
        session = field(call("Target.attachToTarget", "{\"targetId\":\"" + target + "\",\"flatten\":true}", false),
                "sessionId");
        call("Runtime.enable", "{}", true);
        call("Page.enable", "{}", true);
        call("Emulation.setDeviceMetricsOverride",
                "{\"width\":1400,\"height\":1100,\"deviceScaleFactor\":1,\"mobile\":false}", true);
        call("Page.navigate", "{\"url\":\"" + url + "\"}", true);
    }

    /** Evaluates a script expression whose value (awaited if a promise) is turned into a string. */
    String evaluate(String expression) throws Exception {
        String script = "(async () => String(await (" + expression + ")))()";
        String reply = call("Runtime.evaluate",
                "{\"expression\":" + quote(script) + ",\"awaitPromise\":true,\"returnByValue\":true}", true);
        if (reply.contains("\"exceptionDetails\"")) throw new IllegalStateException("the page threw: " + reply);
        Matcher m = STRING_VALUE.matcher(reply);
        if (!m.find()) throw new IllegalStateException("no value in " + reply);
        return unquote(m.group(1));
    }

    /** Waits until the expression is "true", or fails after the timeout naming what it waited for. */
    void waitFor(String expression, long millis) throws Exception {
        long end = System.nanoTime() + millis * 1_000_000;
        while (!evaluate(expression).equals("true")) {
            if (System.nanoTime() > end)
                throw new AssertionError("the page never had " + expression + "; its last frame: "
                        + evaluate("JSON.stringify(window.jvelwebView && jvelwebView.lastFrame)"));
            Thread.sleep(20);
        }
    }

    void mouse(String type, double x, double y) throws Exception {
        call("Input.dispatchMouseEvent", "{\"type\":\"" + type + "\",\"x\":" + x + ",\"y\":" + y
                + ",\"button\":\"left\",\"buttons\":" + (type.equals("mouseReleased") ? 0 : 1)
                + ",\"clickCount\":1}", true);
    }

    byte[] screenshot() throws Exception {
        String reply = call("Page.captureScreenshot", "{\"format\":\"png\"}", true);
        return Base64.getDecoder().decode(field(reply, "data"));
    }

    /** Hands a file to the page's input element found by the selector, as a user choosing it would. */
    void chooseFile(String selector, Path file) throws Exception {
        String root = call("DOM.getDocument", "{}", true);
        String rootId = root.replaceAll("(?s).*?\"root\":\\{\"nodeId\":(\\d+).*", "$1");
        String found = call("DOM.querySelector", "{\"nodeId\":" + rootId + ",\"selector\":" + quote(selector) + "}", true);
        String nodeId = found.replaceAll("(?s).*\"nodeId\":(\\d+).*", "$1");
        call("DOM.setFileInputFiles", "{\"nodeId\":" + nodeId + ",\"files\":[" + quote(file.toString()) + "]}", true);
    }

    String call(String method, String params, boolean inPage) throws Exception {
        int id = ids.incrementAndGet();
        CompletableFuture<String> reply = new CompletableFuture<>();
        pending.put(id, reply);
        String message = "{\"id\":" + id + ",\"method\":\"" + method + "\",\"params\":" + params
                + (inPage ? ",\"sessionId\":\"" + session + "\"" : "") + "}";
        socket.sendText(message, true).get(30, TimeUnit.SECONDS);
        String text = reply.get(60, TimeUnit.SECONDS);
        if (text.startsWith("{\"id\":" + id + ",\"error\"")) throw new IllegalStateException(method + ": " + text);
        return text;
    }

    private static String field(String json, String name) {
        Matcher m = Pattern.compile("\"" + name + "\":\"([^\"]*)\"").matcher(json);
        if (!m.find()) throw new IllegalStateException("no " + name + " in " + json);
        return m.group(1);
    }

    static String quote(String text) {
        StringBuilder out = new StringBuilder("\"");
        for (char c : text.toCharArray()) {
            if (c == '"' || c == '\\') out.append('\\').append(c);
            else if (c < 0x20) out.append(String.format("\\u%04x", (int) c));
            else out.append(c);
        }
        return out.append('"').toString();
    }

    static String unquote(String escaped) {
        StringBuilder out = new StringBuilder();
        for (int i = 0; i < escaped.length(); i++) {
            char c = escaped.charAt(i);
            if (c != '\\') {
                out.append(c);
                continue;
            }
            char e = escaped.charAt(++i);
            switch (e) {
                case 'n': out.append('\n'); break;
                case 't': out.append('\t'); break;
                case 'r': out.append('\r'); break;
                case 'b': out.append('\b'); break;
                case 'f': out.append('\f'); break;
                case 'u': out.append((char) Integer.parseInt(escaped.substring(i + 1, i + 5), 16)); i += 4; break;
                default: out.append(e);
            }
        }
        return out.toString();
    }

    @Override
    public void close() throws Exception {
        try {
            socket.sendClose(WebSocket.NORMAL_CLOSURE, "").get(5, TimeUnit.SECONDS);
        } catch (Exception ignored) {
            // the browser goes anyway
        }
        browser.destroy();
        if (!browser.waitFor(10, TimeUnit.SECONDS)) browser.destroyForcibly();
    }

    private final class Listener implements WebSocket.Listener {
        private final StringBuilder partial = new StringBuilder();

        @Override
        public CompletionStage<?> onText(WebSocket webSocket, CharSequence data, boolean last) {
            partial.append(data);
            if (last) {
                String message = partial.toString();
                partial.setLength(0);
                Matcher m = ID.matcher(message);
                if (m.find()) {
                    CompletableFuture<String> reply = pending.remove(Integer.parseInt(m.group(1)));
                    if (reply != null) reply.complete(message);
                } else if (message.contains("\"method\":\"Runtime.exceptionThrown\"")) {
                    synchronized (exceptions) {
                        exceptions.add(message);
                    }
                }
            }
            webSocket.request(1);
            return null;
        }
    }
}
