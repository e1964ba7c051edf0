; A part of the PIC18F2221 dialog's families: internal oscillator, brown-out at 4.2 V, no
; watchdog (postscaler 1:256), digital port B, no low-voltage programming, block 1 protected.
        LIST    P=18F4620
        INCLUDE <p18f4620.inc>
        CONFIG  OSC = INTIO67, BORV = 1, WDT = OFF, WDTPS = 256, PBADEN = OFF, LVP = OFF
        CONFIG  CP1 = ON
        ORG     0
        DW      0x1234
        END
