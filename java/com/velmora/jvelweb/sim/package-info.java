/**
 * The simulated device behind the bundled simulated plug-in, driven and
 * observed from Java: its clock, the user's hand, its forces, and a recording
 * of them. {@link com.velmora.jvelweb.sim.SimulatedDevice} is the whole API;
 * it works while {@link com.velmora.jvelweb.JVelWeb} holds the simulated
 * plug-in, and lets tests check what effects would make a hand feel without
 * a device.
 */
package com.velmora.jvelweb.sim;
