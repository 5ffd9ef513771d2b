-- Indexed reads and writes of a list used as an array. The list is an
-- object with methods, as the ORV program's TStringList is.
local StringList = {}
StringList.__index = StringList

function StringList.new()
  return setmetatable({items = {}, n = 0}, StringList)
end

function StringList:Add(s)
  self.items[self.n] = s
  self.n = self.n + 1
  return self.n - 1
end

function StringList:Get(i)
  return self.items[i]
end

function StringList:Put(i, s)
  self.items[i] = s
end

local L = StringList.new()
for i = 0, 999 do L:Add(tostring(i)) end
local n = 0
for r = 1, 1000 do
  for i = 0, 999 do
    n = n + #L:Get(i)
    if i % 100 == r % 100 then L:Put(i, L:Get(i) .. 'x') end
  end
end
return n
