package com.velmora.jvelweb.view;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;

/**
 * The live page's speed, printed and not asserted: the frames it draws a
 * second while 100 effects play under the real clock (the goal is 60), and
 * the time from a drag to the frame that draws its answer, measured in the
 * page from the drag's request to the end of the drawing.
 */
public final class ViewBenchmark {
    public static void main(String[] args) throws Exception {
        Path profile = Files.createTempDirectory("jvelweb-chromium");
        try (ViewProcess program = new ViewProcess("many"); DevTools page = new DevTools(profile)) {
            page.open(program.address);
            page.waitFor("window.jvelwebView !== undefined && jvelwebView.framesDrawn > 0", 20000);
            page.waitFor("document.querySelectorAll('#effects tbody tr').length === 100", 10000);
            Thread.sleep(2000);  // warm up
            long drawn0 = Long.parseLong(page.evaluate("jvelwebView.framesDrawn"));
            long received0 = Long.parseLong(page.evaluate("jvelwebView.framesReceived"));
            long start = System.nanoTime();
            Thread.sleep(5000);
            double seconds = (System.nanoTime() - start) / 1e9;
            long drawn = Long.parseLong(page.evaluate("jvelwebView.framesDrawn")) - drawn0;
            long received = Long.parseLong(page.evaluate("jvelwebView.framesReceived")) - received0;
            System.out.printf("view, 100 playing effects: %.1f frames drawn a second, %.1f received (goal 60)%n",
                    drawn / seconds, received / seconds);
            System.out.println("view, milliseconds spent drawing per frame since the start: " + page.evaluate(
                    "Object.entries(jvelwebView.drawMs).map(([k, v]) => k + ' ' + (v / jvelwebView.framesDrawn)"
                            + ".toFixed(2)).join(', ')"));

            String[] b = page.evaluate("(b => [b.left, b.top, b.width / 1920].join())"
                    + "(document.getElementById('screen').getBoundingClientRect())").split(",");
            double left = Double.parseDouble(b[0]), top = Double.parseDouble(b[1]), scale = Double.parseDouble(b[2]);
            page.mouse("mousePressed", left + 400 * scale, top + 400 * scale);
            int drags = 40;
            for (int i = 1; i <= drags; i++) {
                page.mouse("mouseMoved", left + (400 + 20 * i) * scale, top + 400 * scale);
                page.waitFor("jvelwebView.dragLatencies.length >= " + (i + 1), 5000);
                Thread.sleep(30);
            }
            page.mouse("mouseReleased", left + (400 + 20 * drags) * scale, top + 400 * scale);
            String[] times = page.evaluate("jvelwebView.dragLatencies.join()").split(",");
            double[] ms = Arrays.stream(times).mapToDouble(Double::parseDouble).sorted().toArray();
            System.out.printf("view, drag to drawn answer over %d drags: median %.1f ms, 95th percentile %.1f ms, "
                    + "worst %.1f ms%n", ms.length, ms[ms.length / 2], ms[(int) (ms.length * 0.95)], ms[ms.length - 1]);
        }
    }

    private ViewBenchmark() {}
}
