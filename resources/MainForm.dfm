object MainForm: TMainForm
  Left = 307
  Top = 94
  Width = 812
  Height = 740
  Align = alClient
  Caption = 'Setup'
  Color = clWhite
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = MainMenu
  WindowState = wsMaximized
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object BoardImage: TBoardImage
    Left = 88
    Top = 202
    Width = 600
    Height = 300
    First = StackTypeHighlight
    Menu = MainMenu
    Picture.Data = {@board.jpg}
    object StackTypeHighlight: TBoardHighlight
      Left = 256
      Top = 126
      Width = 25
      Height = 33
      RadioPanel = StackTypePanel
      Title = 'CPU Ty&pe Selection'
    end
    object ModeHighlight: TBoardHighlight
      Left = 0
      Top = 74
      Width = 24
      Height = 33
      RadioPanel = ModePanel
      Title = '&mPCIe / mSATA Selection'
    end
    object WirelessHighlight: TBoardHighlight
      Left = 0
      Top = 179
      Width = 33
      Height = 33
      RadioPanel = WirelessPanel
      Title = '&Wireless Disable'
    end
  end
  object StackTypePanel: TRadioPanel
    Left = 536
    Top = 24
    Width = 224
    Height = 120
    Lines.Strings = (
      'Set this switch to match the type of PCIe/104 stack, Type 1 or Type 2.'
      ''
      'The USB switch is unused.')
    BevelOuter = bvNone
    TabOrder = 1
    object StackTypeDips: TDipSwitch
      Left = 88
      Top = 32
      Width = 48
      Height = 32
      Orientation = otRight
      NumSwitches = 2
      BinaryValueStr = '00'
      Value = 0
      OnMouseDown = StackTypeDipsMouseDown
    end
    object Label1: TLabel
      Left = 0
      Top = 0
      Width = 224
      Height = 32
      Alignment = taCenter
      AutoSize = False
      Caption = 'USB && CPU TYPE'#13#10'SELECTION'
      Layout = tlCenter
    end
    object Label2: TLabel
      Left = 0
      Top = 32
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'USB0'
      Enabled = False
      Layout = tlCenter
    end
    object Label3: TLabel
      Left = 144
      Top = 32
      Width = 80
      Height = 16
      AutoSize = False
      Caption = 'USB1'
      Enabled = False
      Layout = tlCenter
    end
    object Label4: TLabel
      Left = 0
      Top = 48
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'TYPE1'
      Layout = tlCenter
    end
    object Label5: TLabel
      Left = 144
      Top = 48
      Width = 80
      Height = 16
      AutoSize = False
      Caption = 'TYPE2'
      Layout = tlCenter
    end
    object StackType1Radio: TRadioButton
      Left = 16
      Top = 80
      Width = 192
      Height = 16
      Caption = 'Type 1 PCIe/104 Stack'
      Checked = True
      TabOrder = 0
      TabStop = True
      OnClick = StackType1RadioClick
    end
    object StackType2Radio: TRadioButton
      Left = 16
      Top = 96
      Width = 192
      Height = 16
      Caption = 'Type 2 PCIe/104 Stack'
      TabOrder = 1
      OnClick = StackType2RadioClick
    end
  end
  object ModePanel: TRadioPanel
    Left = 176
    Top = 0
    Width = 224
    Height = 160
    Lines.Strings = (
      
        'These DIP switches convert slots 1 and/or 2 for use by mSATA dev' +
        'ices. (Type 2 PCIe/104 stacks only.)')
    BevelOuter = bvNone
    TabOrder = 2
    object ModeDips: TDipSwitch
      Left = 88
      Top = 40
      Width = 48
      Height = 32
      Orientation = otLeft
      NumSwitches = 2
      BinaryValueStr = '11'
      Value = 3
      OnMouseDown = ModeDipsMouseDown
    end
    object Label6: TLabel
      Left = 0
      Top = 0
      Width = 224
      Height = 32
      Alignment = taCenter
      AutoSize = False
      Caption = 'mPCIe/mSATA'#13#10'SELECTION'
      Layout = tlCenter
    end
    object Label7: TLabel
      Left = 0
      Top = 40
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'SLT2'
      Layout = tlCenter
    end
    object Label8: TLabel
      Left = 0
      Top = 56
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'SLT1'
      Layout = tlCenter
    end
    object Label9: TLabel
      Left = 0
      Top = 72
      Width = 104
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'mPCIe'
      Layout = tlCenter
    end
    object Label10: TLabel
      Left = 120
      Top = 72
      Width = 104
      Height = 16
      AutoSize = False
      Caption = 'mSATA'
      Layout = tlCenter
    end
    object ModeRadios1: TRadioGroup
      Left = 8
      Top = 96
      Width = 96
      Height = 56
      Caption = 'Slot #1'
      ItemIndex = 0
      Items.Strings = (
        'mPCIe'
        'mSATA')
      TabOrder = 0
      OnClick = ModeRadiosClick
    end
    object ModeRadios2: TRadioGroup
      Left = 120
      Top = 96
      Width = 96
      Height = 56
      Caption = 'Slot #2'
      ItemIndex = 0
      Items.Strings = (
        'mPCIe'
        'mSATA')
      TabOrder = 1
      OnClick = ModeRadiosClick
    end
  end
  object WirelessPanel: TRadioPanel
    Left = 96
    Top = 544
    Width = 288
    Height = 152
    Lines.Strings = (
      'These DIP switches enable/disable wireless features for each slot.')
    BevelOuter = bvNone
    TabOrder = 3
    object WirelessDips: TDipSwitch
      Left = 120
      Top = 32
      Width = 48
      Height = 64
      Orientation = otLeft
      NumSwitches = 4
      BinaryValueStr = '0000'
      Value = 0
    end
    object Label11: TLabel
      Left = 0
      Top = 0
      Width = 288
      Height = 32
      Alignment = taCenter
      AutoSize = False
      Caption = 'WIRELESS'#13#10'DISABLE'
      Layout = tlCenter
    end
    object Label12: TLabel
      Left = 32
      Top = 32
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'SLT4'
      Layout = tlCenter
    end
    object Label13: TLabel
      Left = 32
      Top = 48
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'SLT3'
      Layout = tlCenter
    end
    object Label14: TLabel
      Left = 32
      Top = 64
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'SLT2'
      Layout = tlCenter
    end
    object Label15: TLabel
      Left = 32
      Top = 80
      Width = 80
      Height = 16
      Alignment = taRightJustify
      AutoSize = False
      Caption = 'SLT1'
      Layout = tlCenter
    end
    object GroupBox1: TGroupBox
      Left = 8
      Top = 104
      Width = 272
      Height = 40
      Caption = 'Wireless Features Available'
      TabOrder = 0
      object WirelessCheck1: TCheckBox
        Tag = 1
        Left = 8
        Top = 16
        Width = 64
        Height = 17
        Caption = 'Slot 1'
        Checked = True
        State = cbChecked
        TabOrder = 0
        OnClick = WirelessCheckClick
      end
      object WirelessCheck2: TCheckBox
        Tag = 2
        Left = 72
        Top = 16
        Width = 64
        Height = 17
        Caption = 'Slot 2'
        Checked = True
        State = cbChecked
        TabOrder = 1
        OnClick = WirelessCheckClick
      end
      object WirelessCheck3: TCheckBox
        Tag = 3
        Left = 136
        Top = 16
        Width = 64
        Height = 17
        Caption = 'Slot 3'
        Checked = True
        State = cbChecked
        TabOrder = 2
        OnClick = WirelessCheckClick
      end
      object WirelessCheck4: TCheckBox
        Tag = 4
        Left = 200
        Top = 16
        Width = 64
        Height = 17
        Caption = 'Slot 4'
        Checked = True
        State = cbChecked
        TabOrder = 3
        OnClick = WirelessCheckClick
      end
    end
  end
  object MainMenu: TMainMenu
    Left = 16
    Top = 8
    object File1: TMenuItem
      Caption = '&File'
      object Exit2: TMenuItem
        Caption = '&Exit'
        OnClick = Exit2Click
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      object Howtousethisprogram1: TMenuItem
        Caption = 'H&ow to use this program'
        OnClick = Howtousethisprogram1Click
      end
      object TechnicalSupport1: TMenuItem
        Caption = '&Technical Support'
        OnClick = TechnicalSupport1Click
      end
    end
  end
end
