; A PIC18 part with configuration settings, eight ID bytes and EEPROM data.
        LIST    P=18F452
        CONFIG  OSC = HS, WDT = OFF, LVP = OFF
        __IDLOCS 0x200000, 0x11
        __IDLOCS 0x200001, 0x22
        __IDLOCS 0x200002, 0x33
        __IDLOCS 0x200003, 0x44
        __IDLOCS 0x200004, 0x55
        __IDLOCS 0x200005, 0x66
        __IDLOCS 0x200006, 0x77
        __IDLOCS 0x200007, 0x88
        ORG     0
        DW      0x1234
        ORG     0x7FFE
        DW      0xBEEF          ; the last program bytes
        ORG     0xF00000
        DE      1, 2, 3
        END
