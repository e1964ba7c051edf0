; A USB part with four-copy code protection: HS oscillator with the PLL, watchdog off,
; power-up timer on, the upper half of program memory protected.
        LIST    P=16C745
        INCLUDE <p16c745.inc>
        __CONFIG _H4_OSC & _WDT_OFF & _PWRTE_ON & _CP_50
        ORG     0
        MOVLW   0x12
        END
