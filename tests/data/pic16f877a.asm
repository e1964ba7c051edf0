; A part with write protection in the configuration word, set by the symbols of its include
; file.
        LIST    P=16F877A
        INCLUDE <p16f877a.inc>
        __CONFIG _HS_OSC & _WDT_OFF & _PWRTE_ON & _BOREN_ON & _LVP_OFF & _CPD_OFF & _WRT_1FOURTH & _DEBUG_OFF & _CP_OFF
        ORG     0
        MOVLW   0x12
        END
