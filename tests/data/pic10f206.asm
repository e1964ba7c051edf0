; A baseline part with an OscCal word: watchdog off, MCLR pin on, code protection off.
        LIST    P=10F206
        INCLUDE <p10f206.inc>
        __CONFIG _WDT_OFF & _CP_OFF & _MCLRE_ON
        ORG     0
        MOVLW   0x12
        END
