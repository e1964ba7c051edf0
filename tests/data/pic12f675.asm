; An 8-pin part with an OscCal word and BandGap bits: internal oscillator with I/O pins,
; watchdog off, power-up timer on, MCLR pin as input, brown-out detect on, no protection.
        LIST    P=12F675
        INCLUDE <p12f675.inc>
        __CONFIG _FOSC_INTRCIO & _WDTE_OFF & _PWRTE_ON & _MCLRE_OFF & _BOREN_ON & _CP_OFF & _CPD_OFF
        ORG     0
        MOVLW   0x12
        END
