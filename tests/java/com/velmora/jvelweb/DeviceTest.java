package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.Set;
import java.util.TreeSet;
import org.junit.jupiter.api.Test;

/** The device, screen and cursor, versions, page switches and the last error. */
class DeviceTest extends PluginSession {

    @Test
    void deviceDescribesItself() {
        assertTrue(web.VibronaDeviceAttached(), "VibronaDeviceAttached()");
        assertEquals(2, web.GetDeviceType(), "GetDeviceType()");
        assertEquals("Mouse", web.GetDeviceTypeName());
        assertEquals(0, web.GetDeviceTechnology(), "GetDeviceTechnology()");
        assertEquals("Simulation", web.GetDeviceTechnologyName());
        assertEquals("Vibrona Simulated Mouse", web.GetDeviceProductName());
    }

    /**
     * The handle goes round a circle of radius 800 by 3 degrees at every X read
     * (of any of the three pairs), so 120 reads come back to the same point:
     * three turns read the same 120 points as device, screen and cursor.
     */
    @Test
    void positionsFollowTheCircleAndMapToTheScreen() {
        int[][] device = new int[120][];
        int[][] screen = new int[120][];
        int[][] cursor = new int[120][];
        for (int i = 0; i < 120; i++) {
            device[i] = new int[] {web.GetDevicePosX(), web.GetDevicePosY()};
        }
        for (int i = 0; i < 120; i++) {
            screen[i] = new int[] {web.GetScreenPosX(), web.GetScreenPosY()};
        }
        for (int i = 0; i < 120; i++) {
            cursor[i] = new int[] {web.GetCursorPosX(), web.GetCursorPosY()};
        }
        assertEquals(799, device[0][0], "first X: one step of 3 degrees from (800, 0)");
        assertEquals(42, Math.abs(device[0][1]), "first Y: one step of 3 degrees from (800, 0)");
        double previous = Math.toDegrees(Math.atan2(device[119][1], device[119][0]));
        for (int i = 0; i < 120; i++) {
            int x = device[i][0];
            int y = device[i][1];
            String at = "read " + i + ": device (" + x + ", " + y + ")";
            assertTrue(Math.abs(Math.hypot(x, y) - 800) < 1.0, at + " is not on the circle of radius 800");
            double angle = Math.toDegrees(Math.atan2(y, x));
            double step = Math.abs(((angle - previous) % 360 + 540) % 360 - 180);
            assertTrue(Math.abs(step - 3) < 0.2, at + " is " + step + " degrees from the one before");
            previous = angle;
            int screenX = (int) ((long) (x + 1000) * 1919 / 2000);
            int screenY = (int) ((long) (y + 1000) * 1079 / 2000);
            assertEquals(screenX + "," + screenY, screen[i][0] + "," + screen[i][1], at + " on the screen");
            assertEquals(screen[i][0] + "," + screen[i][1], cursor[i][0] + "," + cursor[i][1], at + " as cursor");
        }
        int y = web.GetDevicePosY();
        assertEquals(device[119][1], y, "a Y read does not move the handle");
    }

    @Test
    void versionsAreTheSimulatorsOwn() {
        Set<String> versions = new TreeSet<>();
        for (String name : new String[] {"GetPluginVersion", "GetKorrinVersion", "GetVelAPIVersion", "GetDXVersion",
            "GetDriverVersion", "GetTorvexVersion"}) {
            String version = (String) call(name);
            assertTrue(version.matches("\\d+\\.\\d+\\.\\d+-sim"), name + "() = \"" + version + "\"");
            versions.add(version);
        }
        assertEquals(1, versions.size(), "the simulator stands in for every component: " + versions);
    }

    @Test
    void pageSwitchesAreRememberedSeparately() {
        assertTrue(web.GetHyperlinksEnabled(), "hyperlinks start on");
        assertTrue(web.GetFormContentEnabled(), "form content starts on");
        assertTrue(web.EnableHyperlinks(false), "EnableHyperlinks(false)");
        assertFalse(web.GetHyperlinksEnabled(), "hyperlinks after EnableHyperlinks(false)");
        assertTrue(web.GetFormContentEnabled(), "form content after EnableHyperlinks(false)");
        assertTrue(web.EnableFormContent(false), "EnableFormContent(false)");
        assertFalse(web.GetFormContentEnabled(), "form content after EnableFormContent(false)");
        assertTrue(web.EnableHyperlinks(true), "EnableHyperlinks(true)");
        assertTrue(web.GetHyperlinksEnabled(), "hyperlinks after EnableHyperlinks(true)");
        assertFalse(web.GetFormContentEnabled(), "form content after EnableHyperlinks(true)");
        assertTrue(web.EnableFormContent(true), "EnableFormContent(true)");
        assertTrue(web.GetFormContentEnabled(), "form content after EnableFormContent(true)");
    }

    @Test
    void lastErrorIsTheMostRecentRefusal() {
        assertEquals(0, web.GetLastError(), "GetLastError() before any failure");
        assertFalse(web.StartEffect("nothing", 1));
        assertLastError(Catalog.UNKNOWN_EFFECT, "StartEffect(nothing)");
        assertTrue(web.MakeGrid("g", 0));
        assertLastError(Catalog.UNKNOWN_EFFECT, "a success");
        assertFalse(web.MakeRamp("g"));
        assertLastError(Catalog.DUPLICATE_NAME, "MakeRamp(g) with g taken");
        assertFalse(web.ChangeGain("g", 0, 10001));
        assertLastError(Catalog.INVALIDARG, "ChangeGain(g, 0, 10001)");
        assertEquals(-99, web.GetPeriod("g", 0));
        assertLastError(Catalog.NOT_SUPPORTED, "GetPeriod of a grid");
        assertEquals(0, web._jni_delete());
        assertEquals(-99, web.GetLastError(), "GetLastError() with no plug-in");
        assertEquals(0, web._jni_initialize(0));
        assertEquals(0, web.GetLastError(), "GetLastError() of a fresh plug-in");
    }
}
