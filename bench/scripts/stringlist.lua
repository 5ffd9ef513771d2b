-- A loop of method calls on a string list object: add, count, clear.
local StringList = {}
StringList.__index = StringList

function StringList.new()
  return setmetatable({items = {}, n = 0}, StringList)
end

function StringList:Add(s)
  self.n = self.n + 1
  self.items[self.n] = s
  return self.n - 1
end

function StringList:Count()
  return self.n
end

function StringList:Clear()
  self.items = {}
  self.n = 0
end

local L = StringList.new()
local n = 0
for i = 1, 300000 do
  L:Add('item')
  n = n + L:Count()
  if L:Count() == 100 then L:Clear() end
end
return n
