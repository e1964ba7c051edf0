; A PIC18 USB part clocked by a 20 MHz crystal through the PLL, a setting in every
; configuration byte, program memory and EEPROM data.
        LIST    P=18F2550
        INCLUDE <p18f2550.inc>
        CONFIG  PLLDIV = 5, CPUDIV = OSC3_PLL4, USBDIV = 2
        CONFIG  FOSC = HSPLL_HS, FCMEN = OFF, IESO = OFF
        CONFIG  PWRT = ON, BOR = ON, BORV = 2, VREGEN = ON
        CONFIG  WDT = OFF, WDTPS = 128
        CONFIG  CCP2MX = ON, PBADEN = OFF, LPT1OSC = OFF, MCLRE = ON
        CONFIG  STVREN = ON, LVP = OFF, XINST = OFF, DEBUG = OFF
        CONFIG  CP1 = ON, WRT3 = ON, EBTRB = ON
        ORG     0
        DW      0x1234
        ORG     0xF00000
        DE      1, 2, 3
        END
