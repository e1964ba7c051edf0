; A 4K-word mid-range part with two configuration words: program word 0xFFF lies at file
; address 0x1FFE.
        LIST    P=16F88
        __CONFIG 0x2007, 0x3F10 ; CONFIG1
        __CONFIG 0x2008, 0x3FFC ; CONFIG2: IESO and FCMEN off
        __IDLOCS 0x1234
        ORG     0
        MOVLW   0x12            ; 0x3012
        ORG     0xFFF
        RETLW   0x34            ; 0x3434
        ORG     0x2100
        DE      0x11, 0x22
        END
