package com.velmora.jvelweb.view;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.awt.image.BufferedImage;
import java.io.ByteArrayInputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.HashSet;
import java.util.Set;
import javax.imageio.ImageIO;
import org.junit.jupiter.api.Test;

/**
 * The live page in headless Chromium, watching a JVM that plays a holding
 * enclosure and an upward sine: a drag pushes the hand through the right
 * wall, and the force the page shows must be SimulatedDevice's own. The page
 * then plots a recording. Screenshots of both go to the build directory; a
 * page that throws, draws nothing or misses its parts fails.
 */
class ViewBrowserTest {
    static final Path OUTPUT = Path.of(System.getProperty("jvelweb.viewOutput", "view-screenshots"));

    @Test
    void theLivePageFollowsADragIntoAWallAndPlotsARecording() throws Exception {
        Files.createDirectories(OUTPUT);
        Path profile = Files.createTempDirectory("jvelweb-chromium");
        try (ViewProcess program = new ViewProcess(); DevTools page = new DevTools(profile)) {
            page.open(program.address);
            page.waitFor("window.jvelwebView !== undefined && jvelwebView.framesDrawn > 0", 20000);
            assertEquals("Enclosure playing,Periodic playing", page.evaluate(
                    "Array.from(document.querySelectorAll('#effects tbody tr')).map(r => r.cells[2].textContent + ' '"
                            + " + r.cells[3].textContent).join()"));
            assertEquals("2", page.evaluate("document.querySelectorAll('#plot-x .uplot, #plot-y .uplot').length"));

            // Press at the enclosure's middle and drag right, 60 px past its right wall.
            String box = page.evaluate("(b => [b.left, b.top, b.width / 1920, b.height / 1080].join())"
                    + "(document.getElementById('screen').getBoundingClientRect())");
            String[] b = box.split(",");
            double left = Double.parseDouble(b[0]), top = Double.parseDouble(b[1]);
            double sx = Double.parseDouble(b[2]), sy = Double.parseDouble(b[3]);
            int y = ViewedProgram.TOP + ViewedProgram.SIDE / 2;
            int startX = ViewedProgram.LEFT + ViewedProgram.SIDE / 2, endX = ViewedProgram.LEFT + ViewedProgram.SIDE + 60;
            page.mouse("mousePressed", left + startX * sx, top + y * sy);
            for (int x = startX; x <= endX; x += 20) page.mouse("mouseMoved", left + x * sx, top + y * sy);
            page.mouse("mouseReleased", left + endX * sx, top + y * sy);
            page.waitFor("jvelwebView.lastFrame.hand.join() === '" + endX + "," + y + "'", 10000);
            page.waitFor("document.getElementById('hand').textContent === '" + endX + ", " + y + "'", 5000);

            int[] fromJava = program.force();
            String shown = page.evaluate("document.getElementById('force-x').textContent + ' ' + "
                    + "document.getElementById('force-y').textContent");
            assertEquals(fromJava[0] + " " + fromJava[1], shown, "the page's force against SimulatedDevice.forceX/Y");
            assertTrue(fromJava[0] < 0, "the right wall pushes the hand back left: " + fromJava[0]);
            assertTrue(fromJava[1] < 0, "the sine at its peak pushes up: " + fromJava[1]);
            String handle = page.evaluate("jvelwebView.lastFrame.handle[0]");
            assertTrue(Integer.parseInt(handle) <= ViewedProgram.LEFT + ViewedProgram.SIDE,
                    "the holding wall keeps the handle inside: " + handle);
            assertTrue(Integer.parseInt(page.evaluate("jvelwebView.dragLatencies.length")) > 0, "drags answered");

            byte[] live = page.screenshot();
            Files.write(OUTPUT.resolve("live-page.png"), live);
            assertDrawn(live, "live-page.png");

            // A recording of the same device, opened in the page as a user would.
            Path recording = OUTPUT.resolve("recording.csv");
            assertEquals("recorded", program.ask("record " + recording + " 2000"));
            page.chooseFile("#recording-file", recording);
            page.waitFor("document.querySelectorAll('#recording .uplot').length === 2", 10000);
            assertEquals("true", page.evaluate("document.getElementById('recording-error').hidden"));
            page.evaluate("document.getElementById('recording').scrollIntoView()");
            byte[] plotted = page.screenshot();
            Files.write(OUTPUT.resolve("recording-plot.png"), plotted);
            assertDrawn(plotted, "recording-plot.png");

            synchronized (page.exceptions) {
                assertEquals(0, page.exceptions.size(), "the page threw: " + page.exceptions);
            }
        }
    }

    /** Fails a screenshot that is blank or nearly so: a drawn page has many colours and the force arrow's red. */
    static void assertDrawn(byte[] png, String name) throws Exception {
        BufferedImage image = ImageIO.read(new ByteArrayInputStream(png));
        Set<Integer> colours = new HashSet<>();
        for (int y = 0; y < image.getHeight(); y += 2)
            for (int x = 0; x < image.getWidth(); x += 2) colours.add(image.getRGB(x, y) & 0xffffff);
        assertTrue(colours.size() > 40, name + " has only " + colours.size() + " colours: a blank page?");
    }
}
