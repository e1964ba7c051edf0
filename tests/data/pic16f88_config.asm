; A part with two configuration words, set by the symbols of its include file.
        LIST    P=16F88
        INCLUDE <p16f88.inc>
        __CONFIG _CONFIG1, _INTRC_IO & _WDT_OFF & _PWRTE_ON & _MCLR_OFF & _LVP_OFF & _WRT_256 & _CCP1_RB3
        __CONFIG _CONFIG2, _FCMEN_OFF & _IESO_ON
        ORG     0
        MOVLW   0x12
        END
